#pragma once
// The box either front end shows when F1 finds no help file beside the program.

#include <string>
#include <string_view>

namespace ui {

// `ruta`: the help file's full path as the system writes it. The error display ends
// the text with its full stop.
inline std::string textoFaltaAyuda(std::string_view ruta) {
  return "No se encuentra el archivo de ayuda " + std::string(ruta);
}

}  // namespace ui
