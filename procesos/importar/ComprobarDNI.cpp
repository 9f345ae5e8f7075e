#include "procesos/importar/ComprobarDNI.h"

#include "gescen/TablasIntercambio.h"
#include "procesos/importar/Importacion.h"

namespace procesos {
using gescen::kPROFT;
using gescen::rutaIntercambio;

bool algunProfesorSinDni(dbf::Table& profesores) {
  for (profesores.first(); !profesores.eof(); profesores.next())
    if (profesores.asInteger("DNI") == 0) return true;
  return false;
}

bool ComprobarDNI(dbf::Table& profesores, Interaccion& ui) {
  bool continuar = true;
  for (;;) {
    profesores.close();
    profesores.setTableName(rutaIntercambio(kPROFT));
    profesores.setRefuseCutShort(true);
    profesores.open();
    if (!algunProfesorSinDni(profesores)) return true;
    if (!continuar) {
      ui.mensaje(kProfesorSinDni);
      return false;
    }
    profesores.close();
    continuar = ui.controlProfesores();
    ui.cursorEspera(true);
  }
}

}  // namespace procesos
