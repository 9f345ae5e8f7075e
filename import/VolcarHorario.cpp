#include "VolcarHorario.h"

#include <charconv>
#include <optional>
#include <unordered_map>

#include "Busquedas.h"
#include "Catalogo.h"
#include "Texto.h"

namespace tzv {
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

bool numeroAula(const std::string& aula, std::int64_t& numero) {
  const std::string t = sinBlancos(aula);
  if (t.empty() || t.size() >= 4) return false;
  std::string_view digits = t;
  if (digits.front() == '+') digits.remove_prefix(1);
  auto r = std::from_chars(digits.data(), digits.data() + digits.size(), numero);
  return r.ec == std::errc() && r.ptr == digits.data() + digits.size();
}

FilasVolcadas VolcarHorario(gc::Catalogo& tablas, dbf::Table& profesores, dbf::Table& asignaturas,
                            const std::string& centro, const HorasPeriodo& desde, const HorasPeriodo& hasta) {
  const auto dni = dniPorAbreviatura(profesores);
  const auto codigos = codigosAsignatura(asignaturas);

  dbf::Table& horprof = tablas.wwTableHorProf;
  dbf::Table& horgrup = tablas.wwTableHorGrup;
  dbf::Table& soluc = tablas.wwTableSoluc;
  horprof.close();
  horgrup.close();
  horprof.emptyTable();
  horgrup.emptyTable();
  horprof.open();
  horgrup.open();
  soluc.open();

  // The fields, each found once, when the loop first needs it.
  using dbf::LazyField;
  const LazyField dia_(soluc, "DIA"), hora_(soluc, "HORA"), tarea(soluc, "TAREA"),
      prof(soluc, "PROF"), nivel_(soluc, "NIVEL"), curso_(soluc, "CURSO"), asig(soluc, "ASIG"),
      grupo(soluc, "GRUPO"), aula_(soluc, "AULA");
  const LazyField pDiasem(horprof, "DIASEM"), pNumhora(horprof, "NUMHORA"),
      pHorad(horprof, "HORAD"), pHorah(horprof, "HORAH"), pOcupa(horprof, "OCUPA"),
      pCodcen(horprof, "CODCEN"), pDni(horprof, "DNI");
  const LazyField gDiasem(horgrup, "DIASEM"), gNumhora(horgrup, "NUMHORA"),
      gHordiades(horgrup, "HORDIADES"), gHordiahas(horgrup, "HORDIAHAS"),
      gCodcen(horgrup, "CODCEN"), gDni(horgrup, "DNI"), gCodgrup(horgrup, "CODGRUP"),
      gCodasig(horgrup, "CODASIG"), gCodaula(horgrup, "CODAULA");

  // What the solution's codes give, worked out once per distinct code.
  struct Asignacion {
    bool conAsignatura = false;
    std::string codgrup, codasig;
  };
  std::optional<MemoCampo<std::string>> ocupaDe;
  std::optional<MemoCampo<std::int64_t>> dniDe;
  std::optional<MemoCampo<bool>> sinGrupoDe;
  std::optional<MemoCampo<Asignacion>> asignacionDe;
  std::optional<MemoCampo<std::optional<std::int64_t>>> aulaDe;
  std::string nivel, curso;

  std::optional<MemoCampo<std::int64_t>> diaDe, horaDe;

  FilasVolcadas filas;
  soluc.forEachRecord([&](const char* registro) {
    if (!diaDe) diaDe.emplace(soluc, *dia_);
    const std::int64_t dia = diaDe->de(registro, [&] { return soluc.asInteger(*dia_); });
    if (dia == 0) return;
    if (!horaDe) horaDe.emplace(soluc, *hora_);
    const std::int64_t hora = horaDe->de(registro, [&] { return soluc.asInteger(*hora_); });
    const bool conHoras = hora >= 1 && hora <= 20;
    const auto periodo = static_cast<std::size_t>(conHoras ? hora : 0);

    horprof.append();
    horprof.setInteger(*pDiasem, dia);
    horprof.setInteger(*pNumhora, hora);
    if (conHoras) {
      horprof.setString(*pHorad, desde[periodo]);
      horprof.setString(*pHorah, hasta[periodo]);
    }
    if (!ocupaDe) ocupaDe.emplace(soluc, *tarea);
    horprof.setString(*pOcupa, ocupaDe->de(registro, [&] {
      return subcadena(soluc.asString(*tarea), 2, std::string::npos);
    }));
    horprof.setString(*pCodcen, centro);
    if (!dniDe) dniDe.emplace(soluc, *prof);
    const std::int64_t numero = dniDe->de(registro, [&] {
      auto profesor = dni.find(soluc.asString(*prof));
      return profesor != dni.end() ? profesor->second : 0;
    });
    horprof.setInteger(*pDni, numero);
    horprof.post();
    ++filas.horprof;

    if (!sinGrupoDe)
      sinGrupoDe.emplace(soluc, std::initializer_list<const dbf::Field*>{&*nivel_, &*curso_});
    const bool sinGrupo = sinGrupoDe->de(registro, [&] {
      soluc.asString(*nivel_, nivel);
      soluc.asString(*curso_, curso);
      return recortar(nivel).empty() || recortar(curso).empty();
    });
    if (sinGrupo) return;
    horgrup.append();
    horgrup.setInteger(*gDiasem, dia);
    horgrup.setInteger(*gNumhora, hora);
    if (conHoras) {
      horgrup.setString(*gHordiades, desde[periodo]);
      horgrup.setString(*gHordiahas, hasta[periodo]);
    }
    horgrup.setString(*gCodcen, centro);
    horgrup.setInteger(*gDni, numero);
    // A lesson whose subject is unknown gets no group and subject codes.
    if (!asignacionDe)
      asignacionDe.emplace(
          soluc, std::initializer_list<const dbf::Field*>{&*nivel_, &*curso_, &*asig, &*grupo});
    const Asignacion& a = asignacionDe->de(registro, [&] {
      soluc.asString(*nivel_, nivel);
      soluc.asString(*curso_, curso);
      auto asignatura = codigos.find(claveAsignatura(nivel, curso, soluc.asString(*asig)));
      if (asignatura == codigos.end()) return Asignacion{};
      return Asignacion{true, subcadena(asignatura->second, 1, 4) + soluc.asString(*grupo),
                        asignatura->second};
    });
    if (a.conAsignatura) {
      horgrup.setString(*gCodgrup, a.codgrup);
      horgrup.setString(*gCodasig, a.codasig);
    }
    if (!aulaDe) aulaDe.emplace(soluc, *aula_);
    const std::optional<std::int64_t>& aula =
        aulaDe->de(registro, [&]() -> std::optional<std::int64_t> {
          std::int64_t numero;
          if (numeroAula(soluc.asString(*aula_), numero)) return numero;
          return std::nullopt;
        });
    if (aula) horgrup.setInteger(*gCodaula, *aula);
    horgrup.post();
    ++filas.horgrup;
  });
  return filas;
}

}  // namespace tzv
