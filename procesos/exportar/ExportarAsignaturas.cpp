#include "procesos/exportar/ExportarAsignaturas.h"

#include "dbf/FieldValue.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"

namespace procesos {
using gescen::kASIGNOMT;
using gescen::kASIGVALT;
using gescen::logico;
using gescen::real;
using gescen::recrearIntercambio;
using gescen::sinBlancos;
using gescen::subcadena;
using gescen::texto;

double horasSemanales(const std::string& horsemte) {
  std::string dos = subcadena(horsemte, 1, 2);
  if (sinBlancos(dos).empty()) return 1.0;
  double horas = 0;
  if (!dbf::parseDecimal(dos, horas))
    throw dbf::EngineError::value("'" + dos + "' no es un valor punto flotante válido");
  return horas > 0 ? horas : 1.0;
}

void ExportarAsignaturas(gescen::Catalogo& tablas, const std::string& idioma) {
  const bool castellano = idioma == "CASTELLANO";
  dbf::Table asigvalt;
  dbf::Table asignomt;
  recrearIntercambio(asigvalt, kASIGVALT,
                     {texto("COD", 4), texto("CODLARGO", 8), texto("NOMBRE", 40),
                      texto("CODVALEN", 10), real("NHORAS"), texto("NIVEL", 5), texto("CURSO", 3)},
                     {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}});
  recrearIntercambio(
      asignomt, kASIGNOMT,
      {texto("COD", 4), texto("CODLARGO", 8), texto("NOMBRE", 40), logico("ESTAREA")});
  asignomt.open();
  asigvalt.open();

  // One row per subject, in stored order.
  dbf::Table& asignat = tablas.wwTableAsignat;
  asignat.open();
  for (asignat.first(); !asignat.eof(); asignat.next()) {
    const std::string codasig = asignat.asString("CODASIG");
    const std::string litresv = asignat.asString("LITRESV");
    asigvalt.append();
    asigvalt.setString("COD", litresv);
    asigvalt.setString("CODLARGO", litresv);
    asigvalt.setString("NOMBRE", asignat.asString(castellano ? "CLITEASIG" : "VLITEASIG"));
    asigvalt.setString("CODVALEN", codasig);
    asigvalt.setFloat("NHORAS", asignat.atCurrentRecord(
                                    [&] { return horasSemanales(asignat.asString("HORSEMTE")); }));
    asigvalt.setString("NIVEL", subcadena(codasig, 2, 3));
    asigvalt.setString("CURSO", subcadena(codasig, 1, 1));
    asigvalt.post();
  }
  asignat.close();

  // One name per distinct abbreviation, in abbreviation order.
  asigvalt.close();
  asigvalt.setIndexName("COD");
  asigvalt.open();
  std::string ultima = "@#$";
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next()) {
    const std::string cod = asigvalt.asString("COD");
    if (cod == ultima) continue;
    ultima = cod;
    asignomt.append();
    asignomt.setString("COD", cod);
    asignomt.setString("CODLARGO", asigvalt.asString("CODLARGO"));
    asignomt.setString("NOMBRE", asigvalt.asString("NOMBRE"));
    asignomt.setBoolean("ESTAREA", false);
    asignomt.post();
  }
  asigvalt.close();

  // Then the non-teaching occupations, marked as tasks.
  dbf::Table& ocupa = tablas.wwTableOCUPA;
  ocupa.open();
  for (ocupa.first(); !ocupa.eof(); ocupa.next()) {
    const std::string cod = "*" + ocupa.asString("OCUPA");
    asignomt.append();
    asignomt.setString("COD", cod);
    asignomt.setString("CODLARGO", cod);
    asignomt.setString("NOMBRE", ocupa.asString(castellano ? "CLITERAL" : "VLITERAL"));
    asignomt.setBoolean("ESTAREA", true);
    asignomt.post();
  }
  ocupa.close();
  asignomt.close();
}

}  // namespace procesos
