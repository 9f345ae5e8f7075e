#pragma once
// Text helpers that count characters, not bytes: every text inside the program is
// UTF-8, while the tables hold one byte per character.

#include <string>
#include <string_view>

namespace gescen {

// Characters `desde` (1-based) to `desde + cuantos - 1`; fewer when the text is shorter.
std::string subcadena(std::string_view s, std::size_t desde, std::size_t cuantos);
std::size_t longitud(std::string_view s);
// Bytes of the UTF-8 character that starts with byte `c`.
std::size_t longitudCaracter(unsigned char c);
// The last character, or empty text.
std::string ultimoCaracter(std::string_view s);
// Without blanks and control characters at both ends.
std::string recortar(std::string_view s);
// Without blanks (spaces only) at both ends.
std::string sinBlancos(std::string_view s);
// What a text field of that width gives back after storing `s`: cut to the width,
// characters the table's code page lacks turned into '?', trailing blanks gone.
std::string valorAlmacenado(std::string_view s, std::size_t ancho);

}  // namespace gescen
