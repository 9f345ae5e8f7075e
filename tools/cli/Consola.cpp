#include "tools/cli/Consola.h"

#include "dbf/Table.h"
#include "gescen/TablasIntercambio.h"
#include "procesos/importar/ComprobarDNI.h"

bool InteraccionConsola::controlProfesores() {
  dbf::Table proft;
  proft.setTableName(gescen::rutaIntercambio(gescen::kPROFT));
  proft.open();
  for (proft.first(); !proft.eof(); proft.next()) {
    auto dni = dniPorAbreviatura.find(proft.asString("ABREV"));
    if (dni != dniPorAbreviatura.end() && proft.asInteger("DNI") == 0) {
      proft.edit();
      proft.setInteger("DNI", dni->second);
      proft.post();
    }
  }
  const bool completo = !procesos::algunProfesorSinDni(proft);
  proft.close();
  return completo;
}
