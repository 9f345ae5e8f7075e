#include "procesos/exportar/ExportarAsigCursos.h"

#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"

namespace procesos {
using gescen::kASIGCURT;
using gescen::kASIGVALT;
using gescen::real;
using gescen::recrearIntercambio;
using gescen::rutaIntercambio;
using gescen::texto;

void ExportarAsigCursos() {
  dbf::Table asigcurt;
  recrearIntercambio(asigcurt, kASIGCURT,
                     {texto("NIVEL", 5), texto("CURSO", 3), texto("ASIG", 4), real("HORAS")});
  dbf::Table asigvalt;
  asigvalt.setTableName(rutaIntercambio(kASIGVALT));
  asigvalt.setIndexName("CODVALEN");
  asigvalt.open();
  asigcurt.open();
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next()) {
    asigcurt.append();
    asigcurt.setString("NIVEL", asigvalt.asString("NIVEL"));
    asigcurt.setString("CURSO", asigvalt.asString("CURSO"));
    asigcurt.setString("ASIG", asigvalt.asString("COD"));
    asigcurt.setFloat("HORAS", asigvalt.asFloat("NHORAS"));
    asigcurt.post();
  }
  asigcurt.close();
  asigvalt.close();
}

}  // namespace procesos
