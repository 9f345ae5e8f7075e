#include "qt/dialogos/MostrarControles.h"

#include <QApplication>
#include <QWindow>

#include "qt/dialogos/ControlPlantilla.h"
#include "qt/dialogos/ControlProfes.h"
#include "qt/widgets/Anfitrion.h"
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

template <class Dialogo>
void mostrar(Dialogo& dialogo, QWindow* anfitrion) {
  DarAlAnfitrion(&dialogo, anfitrion);
  dialogo.exec();
}

}  // namespace

bool MostrarControlProfesores(QWidget* owner) {
  const ui::CursorNormalDurante cursor = cursorNormal();
  QWindow* anfitrion = VentanaAnfitrion(owner);
  TControlProfesores dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
  return dialogo.DNICorrecto;
}

void MostrarControlPlantilla(QWidget* owner) {
  const ui::CursorNormalDurante cursor = cursorNormal();
  QWindow* anfitrion = VentanaAnfitrion(owner);
  TControlPlantilla dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
}

}  // namespace qt
