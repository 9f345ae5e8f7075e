#pragma once
// How the program's texts reach a message box.

#include <string>

namespace procesos {

// The text as the error display shows it: a full stop is appended when it lacks one.
std::string conPuntoFinal(const std::string& texto);

// The program's texts break their lines as Windows boxes take them, with a line feed
// and a carriage return in either order. Each such pair, or a lone CR or LF, becomes
// one line feed: a box shows one line break for each.
std::string conSaltosDeLinea(const std::string& texto);

}  // namespace procesos
