#include "ExportarAsignaciones.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "Busquedas.h"
#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "FieldValue.h"
#include "Lecciones.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

constexpr std::size_t kAncho = 4;  // of CASIG, CPROF and CGRUP

// The texts met in one of the three columns that tell rows apart (CASIG, CPROF, CGRUP),
// each numbered once.
class Columna {
 public:
  std::uint32_t numero(const std::string& texto) {
    return numeros_.try_emplace(texto, static_cast<std::uint32_t>(numeros_.size())).first->second;
  }

 private:
  MapaTextos<std::uint32_t> numeros_;
};

// A value of one of those columns: its text, the number of that text and the number of
// what the table stores for it.
struct Valor {
  std::string texto;
  std::uint32_t numero;
  std::uint32_t numeroAlmacenado;
  Valor(std::string t, Columna& columna)
      : texto(std::move(t)),
        numero(columna.numero(texto)),
        numeroAlmacenado(columna.numero(valorAlmacenado(texto, kAncho))) {}
};

// The rows written, told apart by the numbers of their three texts. They are kept by
// group: the timetable lists each group's lessons together, so the rows a lesson is
// compared with lie close together in memory.
class Escritas {
 public:
  bool contiene(std::uint64_t casig, std::uint64_t cprof, std::uint32_t cgrup) const {
    return cgrup < porGrupo_.size() && porGrupo_[cgrup].contains({casig << 32 | cprof, 0});
  }
  void anotar(std::uint64_t casig, std::uint64_t cprof, std::uint32_t cgrup) {
    if (cgrup >= porGrupo_.size()) porGrupo_.resize(cgrup + 1);
    porGrupo_[cgrup].try_emplace({casig << 32 | cprof, 0}, true);
  }

 private:
  std::vector<MapaCorto<bool>> porGrupo_;
};

// What a subject code of the timetable gives: its abbreviation and hours, or the
// defaults when ASIGVALT lacks it.
struct Asignatura {
  Valor cod;
  double horas = 1.0;
  std::string sesiones = "1";
};

struct Grupo {
  CodigoGrupo codigo;
  Valor abreviatura;
};

}  // namespace

void ExportarAsignaciones(gc::Catalogo& tablas) {
  Lecciones lecciones(tablas.wwTableHorGrup);
  ExportarAsignaciones(tablas, lecciones);
}

void ExportarAsignaciones(gc::Catalogo& tablas, Lecciones& lecciones) {
  dbf::Table asigt;
  recrearIntercambio(asigt, kASIGT,
                    {texto("CASIG", 4), texto("CPROF", 4), texto("CGRUP", 4), texto("CAULA", 4), texto("TURNO", 1),
                     texto("NIVEL", 5), texto("CURSO", 3), texto("GRUPO", 2), real("HORAS"), texto("SESIONES", 20),
                     texto("CTAREA", 4)});
  asigt.open();

  // Lookups by subject code and by DNI: the first row in stored order wins.
  Columna columnaCasig, columnaCprof, columnaCgrup;
  MapaTextos<Asignatura> asignaturas;
  dbf::Table asigvalt;
  asigvalt.setDatabaseName(gc::kCarpetaTrabajo);
  asigvalt.setTableName(kASIGVALT);
  asigvalt.open();
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next()) {
    const double horas = asigvalt.asFloat("NHORAS");
    const auto sesiones =
        static_cast<std::size_t>(std::clamp<std::int64_t>(dbf::roundHalfEven(horas), 0, 20));
    asignaturas.try_emplace(asigvalt.asString("CODVALEN"),
                            Asignatura{Valor(asigvalt.asString("COD"), columnaCasig), horas,
                                       std::string(sesiones, '1')});
  }
  std::unordered_map<std::int64_t, Valor> profesores;
  dbf::Table proft;
  proft.setDatabaseName(gc::kCarpetaTrabajo);
  proft.setTableName(kPROFT);
  proft.open();
  for (proft.first(); !proft.eof(); proft.next())
    profesores.try_emplace(proft.asInteger("DNI"), Valor(proft.asString("ABREV"), columnaCprof));

  const dbf::Field& casigT = asigt.campo("CASIG");
  const dbf::Field& cprofT = asigt.campo("CPROF");
  const dbf::Field& cgrupT = asigt.campo("CGRUP");
  const dbf::Field& caulaT = asigt.campo("CAULA");
  const dbf::Field& turnoT = asigt.campo("TURNO");
  const dbf::Field& nivelT = asigt.campo("NIVEL");
  const dbf::Field& cursoT = asigt.campo("CURSO");
  const dbf::Field& grupoT = asigt.campo("GRUPO");
  const dbf::Field& horasT = asigt.campo("HORAS");
  const dbf::Field& sesionesT = asigt.campo("SESIONES");
  const dbf::Field& ctareaT = asigt.campo("CTAREA");

  // The lessons were read ahead: the opening's error comes where the table opens.
  lecciones.abrir();
  // What each group, subject and teacher code gives, worked out once per code.
  std::vector<Grupo> grupos;
  for (const CodigoGrupo& codigo : lecciones.grupos())
    grupos.push_back(Grupo{codigo, Valor(codigo.abreviatura(), columnaCgrup)});
  const Asignatura sinAsignatura{Valor("", columnaCasig), 1.0, "1"};
  std::vector<const Asignatura*> asignaturaDe;
  for (const std::string& codigo : lecciones.asignaturas()) {
    auto it = asignaturas.find(codigo);
    asignaturaDe.push_back(it == asignaturas.end() ? &sinAsignatura : &it->second);
  }
  const Valor sinProfesor("", columnaCprof);
  std::vector<const Valor*> profesorDe;
  for (std::int64_t dni : lecciones.profesores()) {
    auto it = profesores.find(dni);
    profesorDe.push_back(it == profesores.end() ? &sinProfesor : &it->second);
  }

  Escritas escritas;
  for (const Lecciones::Leccion& l : lecciones.lecciones()) {
    const Grupo& g = grupos[l.grupo];
    const Asignatura& a = *asignaturaDe[l.asignatura];
    const Valor& cprof = *profesorDe[l.profesor];
    // A row is left out when one already written stores these three values.
    if (escritas.contiene(a.cod.numero, cprof.numero, g.abreviatura.numero)) continue;
    asigt.append();
    asigt.setString(casigT, a.cod.texto);
    asigt.setString(cprofT, cprof.texto);
    asigt.setString(cgrupT, g.abreviatura.texto);
    asigt.setString(caulaT, "");
    asigt.setString(turnoT, "");
    asigt.setString(nivelT, g.codigo.nivel);
    asigt.setString(cursoT, g.codigo.curso);
    asigt.setString(grupoT, g.codigo.grupo);
    asigt.setFloat(horasT, a.horas);
    asigt.setString(sesionesT, a.sesiones);
    asigt.setString(ctareaT, "*12");
    asigt.post();
    escritas.anotar(a.cod.numeroAlmacenado, cprof.numeroAlmacenado, g.abreviatura.numeroAlmacenado);
  }
  // A lesson that could not be read stops the writer there, as it stops a plain pass.
  if (lecciones.error()) std::rethrow_exception(lecciones.error());
  tablas.wwTableHorGrup.close();
  asigt.close();
  asigvalt.close();
  proft.close();
}

}  // namespace tzv
