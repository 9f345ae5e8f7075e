#include "MostrarControles.h"

#include <QApplication>
#include <QWindow>

#include "Anfitrion.h"
#include "ControlPlantilla.h"
#include "ControlProfes.h"

namespace tzv {
namespace {

// While a modal dialog is up the cursor is the normal one, whatever the run set; the
// run's cursor comes back when the dialog is gone.
class CursorNormal {
 public:
  CursorNormal() : activo_(QApplication::overrideCursor() != nullptr) {
    if (activo_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~CursorNormal() {
    if (activo_) QApplication::restoreOverrideCursor();
  }
  CursorNormal(const CursorNormal&) = delete;
  CursorNormal& operator=(const CursorNormal&) = delete;

 private:
  bool activo_;
};

template <class Dialogo>
void mostrar(Dialogo& dialogo, QWindow* anfitrion) {
  DarAlAnfitrion(&dialogo, anfitrion);
  dialogo.exec();
}

}  // namespace

bool MostrarControlProfesores(QWidget* owner) {
  CursorNormal cursor;
  QWindow* anfitrion = VentanaAnfitrion(owner);
  TControlProfesores dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
  return dialogo.DNICorrecto;
}

void MostrarControlPlantilla(QWidget* owner) {
  CursorNormal cursor;
  QWindow* anfitrion = VentanaAnfitrion(owner);
  TControlPlantilla dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
}

}  // namespace tzv
