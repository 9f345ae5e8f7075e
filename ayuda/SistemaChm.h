#pragma once
// The help file's /#SYSTEM: a version number (4 bytes), then records of a 2-byte code, a
// 2-byte length and that many bytes, little-endian. The records read here hold a text
// ended by a zero byte.

#include <string>
#include <string_view>

namespace ayuda {

struct SistemaChm {
  std::string contenido;    // code 0: the contents file (.hhc)
  std::string indice;       // code 1: the index file (.hhk)
  std::string temaInicial;  // code 2: the page the help opens at
  std::string titulo;       // code 3: the help's title, in UTF-8
};

// What the records say; a record cut short by the end of the data ends the reading.
SistemaChm leerSistema(std::string_view datos);

}  // namespace ayuda
