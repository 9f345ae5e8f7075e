#pragma once
// Writing one value into an INI (private profile) file the way Windows programs share
// settings: the section and the key are found without regard to case, the file is
// created when missing, and only the key's line is added or replaced; every other byte
// of the file stays as it was. Standard C++ only.

#include <string>

namespace ui {

// The text of an INI file after writing `clave=valor` under [seccion]:
// - an existing key line of the section (the first, when there are several) is
//   replaced by "clave=valor", its line ending kept;
// - otherwise the line is added after the section's last non-blank line;
// - a missing section is added at the end of the file, after a line break if the
//   file does not end with one.
// New lines end the way the file's first line does ("\r\n" for a new file).
std::string conValor(const std::string& contenido, const std::string& seccion,
                     const std::string& clave, const std::string& valor);

// Writes `clave=valor` under [seccion] of the file at `ruta` (a native path), through
// a temporary file in the same folder that then takes the file's place. Returns false,
// leaving the file as it was, when the file cannot be read or written.
bool escribirValor(const std::string& ruta, const std::string& seccion, const std::string& clave,
                   const std::string& valor);

}  // namespace ui
