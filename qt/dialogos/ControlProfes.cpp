#include "qt/dialogos/ControlProfes.h"

namespace qt {

TControlProfesores::TControlProfesores(QWidget* owner)
    : DialogoComprobacion(ui::Comprobacion::Profesores, owner) {}

void TControlProfesores::BitBtn1Click() {
  DialogoComprobacion::BitBtn1Click();
  DNICorrecto = presentador_.dniCorrecto();
}

}  // namespace qt
