#include "qt/dialogos/ControlPlantilla.h"

namespace qt {

TControlPlantilla::TControlPlantilla(QWidget* owner)
    : DialogoComprobacion(ui::Comprobacion::Plantilla, owner) {}

}  // namespace qt
