#pragma once
#include <string>

#include "procesos/importar/Importacion.h"

namespace procesos {

inline constexpr const char* kCarpetaPlantilla = "C:\\ZORVTMP\\Valencia";

// The times of class periods 1 to 20 of the centre: taken from lhortipo, written into
// PLANTILLA.DBF for the user to check in the class-period grid, and read back from it.
void ComprobarPlantilla(gescen::Catalogo& tablas, const std::string& centro, Interaccion& ui,
                        HorasPeriodo& desde, HorasPeriodo& hasta);

}  // namespace procesos
