#include "ComprobarDNI.h"

#include "Importacion.h"
#include "TablasIntercambio.h"

namespace tzv {
namespace {

bool algunoSinDni(dbf::Table& t) {
  for (t.first(); !t.eof(); t.next())
    if (t.asInteger("DNI") == 0) return true;
  return false;
}

}  // namespace

bool ComprobarDNI(dbf::Table& profesores, Interaccion& ui) {
  bool continuar = true;
  for (;;) {
    profesores.close();
    profesores.setTableName(rutaIntercambio(kPROFT));
    profesores.open();
    if (!algunoSinDni(profesores)) return true;
    if (!continuar) {
      ui.mensaje(kProfesorSinDni);
      ui.cerrarDialogo();
      return false;
    }
    profesores.close();
    continuar = ui.controlProfesores();
    ui.cursorEspera(true);
  }
}

}  // namespace tzv
