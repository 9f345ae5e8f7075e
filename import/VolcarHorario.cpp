#include "VolcarHorario.h"

#include <charconv>
#include <map>
#include <tuple>
#include <unordered_map>

#include "Catalogo.h"
#include "Texto.h"

namespace tzv {
namespace {

// First subject, in CODVALEN order, of each level, course and abbreviation.
std::map<std::tuple<std::string, std::string, std::string>, std::string> codigosAsignatura(dbf::Table& t) {
  std::map<std::tuple<std::string, std::string, std::string>, std::string> codigos;
  for (t.first(); !t.eof(); t.next())
    codigos.try_emplace({t.asString("NIVEL"), t.asString("CURSO"), t.asString("COD")}, t.asString("CODVALEN"));
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

  FilasVolcadas filas;
  for (soluc.first(); !soluc.eof(); soluc.next()) {
    const std::int64_t dia = soluc.asInteger("DIA");
    if (dia == 0) continue;
    const std::int64_t hora = soluc.asInteger("HORA");
    const bool conHoras = hora >= 1 && hora <= 20;
    const auto periodo = static_cast<std::size_t>(conHoras ? hora : 0);

    horprof.append();
    horprof.setInteger("DIASEM", dia);
    horprof.setInteger("NUMHORA", hora);
    if (conHoras) {
      horprof.setString("HORAD", desde[periodo]);
      horprof.setString("HORAH", hasta[periodo]);
    }
    horprof.setString("OCUPA", subcadena(soluc.asString("TAREA"), 2, std::string::npos));
    horprof.setString("CODCEN", centro);
    auto profesor = dni.find(soluc.asString("PROF"));
    const std::int64_t numero = profesor != dni.end() ? profesor->second : 0;
    horprof.setInteger("DNI", numero);
    horprof.post();
    ++filas.horprof;

    const std::string nivel = soluc.asString("NIVEL");
    const std::string curso = soluc.asString("CURSO");
    if (recortar(nivel).empty() || recortar(curso).empty()) continue;
    horgrup.append();
    horgrup.setInteger("DIASEM", dia);
    horgrup.setInteger("NUMHORA", hora);
    if (conHoras) {
      horgrup.setString("HORDIADES", desde[periodo]);
      horgrup.setString("HORDIAHAS", hasta[periodo]);
    }
    horgrup.setString("CODCEN", centro);
    horgrup.setInteger("DNI", numero);
    // A lesson whose subject is unknown gets no group and subject codes.
    auto asignatura = codigos.find({nivel, curso, soluc.asString("ASIG")});
    if (asignatura != codigos.end()) {
      horgrup.setString("CODGRUP", subcadena(asignatura->second, 1, 4) + soluc.asString("GRUPO"));
      horgrup.setString("CODASIG", asignatura->second);
    }
    std::int64_t aula;
    if (numeroAula(soluc.asString("AULA"), aula)) horgrup.setInteger("CODAULA", aula);
    horgrup.post();
    ++filas.horgrup;
  }
  return filas;
}

}  // namespace tzv
