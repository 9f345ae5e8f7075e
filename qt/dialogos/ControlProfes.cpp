#include "qt/dialogos/ControlProfes.h"

TControlProfesores::TControlProfesores(QWidget* owner)
    : DialogoComprobacion(ui::Comprobacion::Profesores, owner) {}

void TControlProfesores::BitBtn1Click() {
  DialogoComprobacion::BitBtn1Click();
  DNICorrecto = presentador_.dniCorrecto();
}
