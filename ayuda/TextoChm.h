#pragma once
// Texts and paths inside a help file. A help file made on Windows keeps its pages, its
// contents file and its title in Windows-1252 more often than in UTF-8.

#include <string>
#include <string_view>

namespace ayuda {

// UTF-8 as it is; any other text is read as Windows-1252 and converted.
std::string textoUtf8(std::string_view bytes);

// A path inside the help file in the form chmlib knows it: '/' at its start and
// between folders (a '\' counts as one), without "." and ".." steps nor empty ones. A
// ".." above the top stays at the top.
std::string rutaInterna(std::string_view ruta);

// The folder of a path inside the file, with its '/' at the end ("/sub/" for
// "/sub/a.htm", "/" for "/a.htm").
std::string carpetaDe(std::string_view ruta);

}  // namespace ayuda
