#include "qt/dialogos/MostrarControles.h"

#include <QApplication>

#include "qt/Mensajes.h"
#include "qt/dialogos/ControlPlantilla.h"
#include "qt/dialogos/ControlProfes.h"
#include "ui/CursorDeComprobacion.h"

namespace qt {
namespace {

// The run's hourglass is Qt's override cursor; the normal cursor goes over it while a
// check dialog is up.
ui::CursorNormalDurante cursorNormal() {
  return ui::CursorNormalDurante(
      QApplication::overrideCursor() != nullptr,
      [] { QApplication::setOverrideCursor(Qt::ArrowCursor); },
      [] { QApplication::restoreOverrideCursor(); });
}

}  // namespace

// Each dialog is owned as the boxes of the window that shows it are (DuenoDeCaja).
bool mostrarControlProfesores(QWidget* owner) {
  const ui::CursorNormalDurante cursor = cursorNormal();
  const DuenoDeCaja dueno(owner);
  TControlProfesores dialogo(dueno.padre());
  dueno.entregar(&dialogo);
  dialogo.exec();
  return dialogo.DNICorrecto;
}

void mostrarControlPlantilla(QWidget* owner) {
  const ui::CursorNormalDurante cursor = cursorNormal();
  const DuenoDeCaja dueno(owner);
  TControlPlantilla dialogo(dueno.padre());
  dueno.entregar(&dialogo);
  dialogo.exec();
}

}  // namespace qt
