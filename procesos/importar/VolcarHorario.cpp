#include "procesos/importar/VolcarHorario.h"

#include <charconv>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "gescen/Aula.h"
#include "gescen/Busquedas.h"
#include "gescen/Catalogo.h"
#include "gescen/Texto.h"

namespace procesos {
using gescen::MapaTextos;
using gescen::MemoCampo;
using gescen::recortar;
using gescen::subcadena;

namespace {

// A key for a level, a course and an abbreviation: each text preceded by its length (two
// bytes), so that no two triples give one key.
std::string claveAsignatura(const std::string& nivel, const std::string& curso,
                            const std::string& cod) {
  std::string clave;
  for (const std::string* t : {&nivel, &curso, &cod}) {
    clave += static_cast<char>(t->size() & 0xFF);
    clave += static_cast<char>(t->size() >> 8);
    clave += *t;
  }
  return clave;
}

// First subject, in CODVALEN order, of each level, course and abbreviation.
MapaTextos<std::string> codigosAsignatura(dbf::Table& t) {
  MapaTextos<std::string> codigos;
  for (t.first(); !t.eof(); t.next())
    codigos.try_emplace(
        claveAsignatura(t.asString("NIVEL"), t.asString("CURSO"), t.asString("COD")),
        t.asString("CODVALEN"));
  return codigos;
}

// First teacher, in stored order, of each abbreviation.
std::unordered_map<std::string, std::int64_t> dniPorAbreviatura(dbf::Table& t) {
  std::unordered_map<std::string, std::int64_t> dni;
  for (t.first(); !t.eof(); t.next()) dni.try_emplace(t.asString("ABREV"), t.asInteger("DNI"));
  return dni;
}

}  // namespace

namespace {

// What a lesson's level, course, subject and group give in the group timetable.
struct Asignacion {
  bool conAsignatura = false;
  std::string codgrup, codasig;
};

// What a record's teacher row and group row share: its day, its period and the
// teacher's DNI.
struct Leccion {
  std::int64_t dia = 0, hora = 0, numero = 0;
};

// The solution's records written into the staged teacher and group timetables. Each
// field is found once, when first needed, and each of the solution's codes is worked out
// once.
class Volcado {
 public:
  Volcado(gescen::Catalogo& tablas, const std::unordered_map<std::string, std::int64_t>& dni,
          const MapaTextos<std::string>& codigos, const std::string& centro,
          const HorasPeriodo& desde, const HorasPeriodo& hasta)
      : horprof_(tablas.wwTableHorProf),
        horgrup_(tablas.wwTableHorGrup),
        soluc_(tablas.wwTableSoluc),
        dni_(dni),
        codigos_(codigos),
        centro_(centro),
        desde_(desde),
        hasta_(hasta) {}

  // One pass: each record's teacher row, then its group row. A record that fails stops
  // the pass there, the rows before it written.
  FilasVolcadas enOrden() {
    FilasVolcadas filas;
    soluc_.forEachRecord([&](const char* registro) {
      Leccion l;
      if (!filaProfesor(registro, l)) return;
      ++filas.horprof;
      if (sinGrupo(registro)) return;
      filaGrupo(registro, l);
      ++filas.horgrup;
    });
    return filas;
  }

 private:
  // Reads the record's day and period and writes its teacher row; false for a record
  // without a day, which gives no rows.
  bool filaProfesor(const char* registro, Leccion& l) {
    l.dia = diaDe_.de(registro, [&] { return soluc_.asInteger(*dia_); });
    if (l.dia == 0) return false;
    l.hora = horaDe_.de(registro, [&] { return soluc_.asInteger(*hora_); });

    horprof_.append();
    diaYHoras(horprof_, pDiasem_, pNumhora_, pHorad_, pHorah_, l);
    const std::string& ocupa = ocupaDe_.de(
        registro, [&] { return subcadena(soluc_.asString(*tarea_), 2, std::string::npos); });
    horprof_.setString(*pOcupa_, ocupa);
    horprof_.setString(*pCodcen_, centro_);
    l.numero = dniDe_.de(registro, [&] {
      auto profesor = dni_.find(soluc_.asString(*prof_));
      return profesor != dni_.end() ? profesor->second : 0;
    });
    horprof_.setInteger(*pDni_, l.numero);
    horprof_.post();
    return true;
  }

  // A record without a level or a course has no group row.
  bool sinGrupo(const char* registro) {
    return sinGrupoDe_.de(registro, [&] {
      soluc_.asString(*nivel_, nivel_texto_);
      soluc_.asString(*curso_, curso_texto_);
      return recortar(nivel_texto_).empty() || recortar(curso_texto_).empty();
    });
  }

  // A lesson whose subject is unknown gets no group and subject codes.
  const Asignacion& asignacion(const char* registro) {
    return asignacionDe_.de(registro, [&] {
      soluc_.asString(*nivel_, nivel_texto_);
      soluc_.asString(*curso_, curso_texto_);
      auto a = codigos_.find(claveAsignatura(nivel_texto_, curso_texto_, soluc_.asString(*asig_)));
      if (a == codigos_.end()) return Asignacion{};
      return Asignacion{true, subcadena(a->second, 1, 4) + soluc_.asString(*grupo_), a->second};
    });
  }

  const std::optional<std::int64_t>& aula(const char* registro) {
    return aulaDe_.de(registro, [&]() -> std::optional<std::int64_t> {
      std::int64_t numero;
      if (gescen::numeroAula(soluc_.asString(*aula_), numero)) return numero;
      return std::nullopt;
    });
  }

  // The group row of a record.
  void filaGrupo(const char* registro, const Leccion& l) {
    horgrup_.append();
    diaYHoras(horgrup_, gDiasem_, gNumhora_, gHordiades_, gHordiahas_, l);
    horgrup_.setString(*gCodcen_, centro_);
    horgrup_.setInteger(*gDni_, l.numero);
    const Asignacion& a = asignacion(registro);
    if (a.conAsignatura) {
      horgrup_.setString(*gCodgrup_, a.codgrup);
      horgrup_.setString(*gCodasig_, a.codasig);
    }
    const std::optional<std::int64_t>& numeroAula = aula(registro);
    if (numeroAula) horgrup_.setInteger(*gCodaula_, *numeroAula);
    horgrup_.post();
  }

  // The day and the period of a row and, for a period with class-period times, when it
  // starts and ends.
  void diaYHoras(dbf::Table& tabla, const dbf::LazyField& dia, const dbf::LazyField& hora,
                 const dbf::LazyField& desde, const dbf::LazyField& hasta, const Leccion& l) {
    tabla.setInteger(*dia, l.dia);
    tabla.setInteger(*hora, l.hora);
    if (const std::size_t periodo = periodoDe(l.hora); periodo != 0) {
      tabla.setString(*desde, desde_[periodo]);
      tabla.setString(*hasta, hasta_[periodo]);
    }
  }

  // Periods 1 to 20 have class-period times; 0 stands for any other.
  static std::size_t periodoDe(std::int64_t hora) {
    return hora >= 1 && hora <= 20 ? static_cast<std::size_t>(hora) : 0;
  }

  dbf::Table& horprof_;
  dbf::Table& horgrup_;
  dbf::Table& soluc_;
  const std::unordered_map<std::string, std::int64_t>& dni_;
  const MapaTextos<std::string>& codigos_;
  const std::string& centro_;
  const HorasPeriodo& desde_;
  const HorasPeriodo& hasta_;

  using LazyField = dbf::LazyField;
  const LazyField dia_{soluc_, "DIA"}, hora_{soluc_, "HORA"}, tarea_{soluc_, "TAREA"},
      prof_{soluc_, "PROF"}, nivel_{soluc_, "NIVEL"}, curso_{soluc_, "CURSO"},
      asig_{soluc_, "ASIG"}, grupo_{soluc_, "GRUPO"}, aula_{soluc_, "AULA"};
  const LazyField pDiasem_{horprof_, "DIASEM"}, pNumhora_{horprof_, "NUMHORA"},
      pHorad_{horprof_, "HORAD"}, pHorah_{horprof_, "HORAH"}, pOcupa_{horprof_, "OCUPA"},
      pCodcen_{horprof_, "CODCEN"}, pDni_{horprof_, "DNI"};
  const LazyField gDiasem_{horgrup_, "DIASEM"}, gNumhora_{horgrup_, "NUMHORA"},
      gHordiades_{horgrup_, "HORDIADES"}, gHordiahas_{horgrup_, "HORDIAHAS"},
      gCodcen_{horgrup_, "CODCEN"}, gDni_{horgrup_, "DNI"}, gCodgrup_{horgrup_, "CODGRUP"},
      gCodasig_{horgrup_, "CODASIG"}, gCodaula_{horgrup_, "CODAULA"};

  MemoCampo<std::int64_t> diaDe_{soluc_, {"DIA"}}, horaDe_{soluc_, {"HORA"}},
      dniDe_{soluc_, {"PROF"}};
  MemoCampo<std::string> ocupaDe_{soluc_, {"TAREA"}};
  MemoCampo<bool> sinGrupoDe_{soluc_, {"NIVEL", "CURSO"}};
  MemoCampo<Asignacion> asignacionDe_{soluc_, {"NIVEL", "CURSO", "ASIG", "GRUPO"}};
  MemoCampo<std::optional<std::int64_t>> aulaDe_{soluc_, {"AULA"}};
  std::string nivel_texto_, curso_texto_;
};

// Both staged timetables emptied, their fields and indexes kept, and opened.
void vaciar(gescen::Catalogo& tablas) {
  tablas.wwTableHorProf.close();
  tablas.wwTableHorGrup.close();
  tablas.wwTableHorProf.emptyTable();
  tablas.wwTableHorGrup.emptyTable();
  tablas.wwTableHorProf.open();
  tablas.wwTableHorGrup.open();
}

}  // namespace

FilasVolcadas VolcarHorario(gescen::Catalogo& tablas, dbf::Table& profesores,
                            dbf::Table& asignaturas, const std::string& centro,
                            const HorasPeriodo& desde, const HorasPeriodo& hasta) {
  const auto dni = dniPorAbreviatura(profesores);
  const auto codigos = codigosAsignatura(asignaturas);
  vaciar(tablas);
  tablas.wwTableSoluc.open();
  try {
    return Volcado(tablas, dni, codigos, centro, desde, hasta).enOrden();
  } catch (...) {
    // Whatever failed, the timetables are rebuilt once more in one plain pass, which
    // stops at the same record, with the same error and the same rows written, as it
    // always would.
  }
  vaciar(tablas);
  return Volcado(tablas, dni, codigos, centro, desde, hasta).enOrden();
}

}  // namespace procesos
