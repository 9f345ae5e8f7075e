#include "Consola.h"

#include "ComprobarDNI.h"
#include "TablasIntercambio.h"
#include "Table.h"

bool InteraccionConsola::controlProfesores() {
  dbf::Table proft;
  proft.setTableName(tzv::rutaIntercambio(tzv::kPROFT));
  proft.open();
  for (proft.first(); !proft.eof(); proft.next()) {
    auto dni = dniPorAbreviatura.find(proft.asString("ABREV"));
    if (dni != dniPorAbreviatura.end() && proft.asInteger("DNI") == 0) {
      proft.edit();
      proft.setInteger("DNI", dni->second);
      proft.post();
    }
  }
  const bool completo = !tzv::AlgunProfesorSinDni(proft);
  proft.close();
  return completo;
}
