#include "MostrarControles.h"

#include <QApplication>
#include <QWindow>

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

// The owner's top-level window lies inside another program's window when the program
// runs in its host: a dialog cannot belong to it there, and belongs to the host's
// window instead.
QWindow* ventanaAnfitrion(QWidget* owner) {
  if (owner == nullptr) return nullptr;
  QWindow* w = owner->window()->windowHandle();
  if (w == nullptr || w->parent() == nullptr) return nullptr;
  while (w->parent() != nullptr) w = w->parent();
  return w;
}

template <class Dialogo>
void mostrar(Dialogo& dialogo, QWindow* anfitrion) {
  if (anfitrion != nullptr) {
    dialogo.setWindowModality(Qt::ApplicationModal);
    dialogo.winId();
    dialogo.windowHandle()->setTransientParent(anfitrion);
  }
  dialogo.exec();
}

}  // namespace

bool MostrarControlProfesores(QWidget* owner) {
  CursorNormal cursor;
  QWindow* anfitrion = ventanaAnfitrion(owner);
  TControlProfesores dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
  return dialogo.DNICorrecto;
}

void MostrarControlPlantilla(QWidget* owner) {
  CursorNormal cursor;
  QWindow* anfitrion = ventanaAnfitrion(owner);
  TControlPlantilla dialogo(anfitrion != nullptr ? nullptr : owner);
  mostrar(dialogo, anfitrion);
}

}  // namespace tzv
