#pragma once
// The two launch arguments of host mode: the direction word and the host window's
// handle written in hexadecimal. Standard C++ only.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ui {

enum class Sentido { Importar, Exportar, Otro };

// Compares the word with "importar" and "exportar" after turning its letters A to Z
// into lower case; nothing is trimmed and no other letter is folded.
Sentido sentidoDe(const std::string& palabra);

// A text that does not convert to a whole number.
class ErrorConversion : public std::runtime_error {
 public:
  explicit ErrorConversion(const std::string& texto);
};

// Converts a text of the form "$" followed by hexadecimal digits (either case, leading
// zeros allowed) whose value fits in 32 bits. Anything else (no digits, another sign,
// blanks, a prefix, too large a value) raises ErrorConversion with the text
// "'<texto>' no es un valor entero válido".
std::uint32_t convertirEntero(const std::string& texto);

}  // namespace ui
