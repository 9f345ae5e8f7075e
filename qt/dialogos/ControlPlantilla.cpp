#include "qt/dialogos/ControlPlantilla.h"

TControlPlantilla::TControlPlantilla(QWidget* owner)
    : DialogoComprobacion(ui::Comprobacion::Plantilla, owner) {}
