#include "procesos/exportar/ExportarAulas.h"

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"

namespace procesos {
using gescen::entero;
using gescen::kAULAT;
using gescen::recrearIntercambio;
using gescen::texto;

void ExportarAulas(gescen::Catalogo& tablas) {
  dbf::Table aulat;
  recrearIntercambio(
      aulat, kAULAT,
      {texto("ABREV", 4), texto("NOMBRE", 40), texto("EDIFICIO", 1), entero("MAXALUM")});
  aulat.open();
  dbf::Table& aulas = tablas.wwTableAulas;
  aulas.open();
  for (aulas.first(); !aulas.eof(); aulas.next()) {
    aulat.append();
    aulat.setString("ABREV", aulas.asString("CODAULA"));
    aulat.setString("NOMBRE", aulas.asString("LITAULA"));
    aulat.setString("EDIFICIO", "1");
    aulat.setInteger("MAXALUM", 0);
  }
  aulas.close();
  if (aulat.state() == dbf::TableState::Insert) aulat.post();
  aulat.close();
}

}  // namespace procesos
