#include "ExportarAsignaciones.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <unordered_map>

#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "FieldValue.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

struct Asignatura {
  std::string cod;
  double horas = 1.0;
};

}  // namespace

void ExportarAsignaciones(gc::Catalogo& tablas) {
  dbf::Table asigt;
  recrearIntercambio(asigt, kASIGT,
                    {texto("CASIG", 4), texto("CPROF", 4), texto("CGRUP", 4), texto("CAULA", 4), texto("TURNO", 1),
                     texto("NIVEL", 5), texto("CURSO", 3), texto("GRUPO", 2), real("HORAS"), texto("SESIONES", 20),
                     texto("CTAREA", 4)});
  asigt.open();

  // Lookups by subject code and by DNI: the first row in stored order wins.
  std::unordered_map<std::string, Asignatura> asignaturas;
  dbf::Table asigvalt;
  asigvalt.setDatabaseName(gc::kCarpetaTrabajo);
  asigvalt.setTableName(kASIGVALT);
  asigvalt.open();
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next())
    asignaturas.try_emplace(asigvalt.asString("CODVALEN"), Asignatura{asigvalt.asString("COD"), asigvalt.asFloat("NHORAS")});
  std::unordered_map<std::int64_t, std::string> profesores;
  dbf::Table proft;
  proft.setDatabaseName(gc::kCarpetaTrabajo);
  proft.setTableName(kPROFT);
  proft.open();
  for (proft.first(); !proft.eof(); proft.next()) profesores.try_emplace(proft.asInteger("DNI"), proft.asString("ABREV"));

  std::set<std::tuple<std::string, std::string, std::string>> escritas;
  dbf::Table& horgrup = tablas.wwTableHorGrup;
  horgrup.open();
  for (horgrup.first(); !horgrup.eof(); horgrup.next()) {
    const CodigoGrupo g = trocearGrupo(horgrup.asString("CODGRUP"));
    const std::string cgrup = g.abreviatura();

    std::string casig;
    double horas = 1.0;
    std::int64_t sesiones = 1;
    auto a = asignaturas.find(sinBlancos(horgrup.asString("CODASIG")));
    if (a != asignaturas.end()) {
      casig = a->second.cod;
      horas = a->second.horas;
      sesiones = dbf::roundHalfEven(horas);
    }

    std::string cprof;
    auto p = profesores.find(horgrup.asInteger("DNI"));
    if (p != profesores.end()) cprof = p->second;

    if (escritas.count({casig, cprof, cgrup})) continue;
    asigt.append();
    asigt.setString("CASIG", casig);
    asigt.setString("CPROF", cprof);
    asigt.setString("CGRUP", cgrup);
    asigt.setString("CAULA", "");
    asigt.setString("TURNO", "");
    asigt.setString("NIVEL", g.nivel);
    asigt.setString("CURSO", g.curso);
    asigt.setString("GRUPO", g.grupo);
    asigt.setFloat("HORAS", horas);
    asigt.setString("SESIONES", std::string(static_cast<std::size_t>(std::clamp<std::int64_t>(sesiones, 0, 20)), '1'));
    asigt.setString("CTAREA", "*12");
    asigt.post();
    escritas.insert({valorAlmacenado(casig, 4), valorAlmacenado(cprof, 4), valorAlmacenado(cgrup, 4)});
  }
  horgrup.close();
  asigt.close();
  asigvalt.close();
  proft.close();
}

}  // namespace tzv
