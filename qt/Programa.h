#pragma once
// The fonts the Qt program brings along.

#include "ui/Aplicacion.h"
#include "ui/CarpetaPrograma.h"

namespace qt {

// Registers the "MS Sans Serif" of Debian's fonts-wine, which lies outside the system's
// font folders, so that the dialog font resolves to it. Returns false when the font
// file is not there (another sans-serif font is used then).
bool registrarFuentes();

}  // namespace qt
