#pragma once
// The folder of the program file, where the host's settings file and the help file
// lie beside the program.

#include <string>

namespace ui {

// Native path of the folder, without a trailing separator.
std::string carpetaPrograma();
// Tests point it at a folder of their own, so that the files the program keeps beside
// itself are not written into the build; an empty text goes back to the real one.
void fijarCarpetaPrograma(const std::string& carpeta);
// Native path of a file in that folder.
std::string juntoAlPrograma(const std::string& nombre);

}  // namespace ui
