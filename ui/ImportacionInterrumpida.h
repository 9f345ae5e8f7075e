#pragma once
// The second step of either front end's start: an import that a killed run left half
// way through putting the timetables back is ended before anything else.

#include "ui/UnaCopia.h"

namespace ui {

// Ends the interrupted import (procesos::RecuperarDevolucion) and has `avisar` say what was
// done, in a box owned by no window; says nothing when there was nothing to do.
void terminarImportacionInterrumpida(const AvisoArranque& avisar);

}  // namespace ui
