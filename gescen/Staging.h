#pragma once
// Copying school-management files into the staging folder and back: the block copy
// CopiarArchivo, the replacing copy ReemplazarArchivo and the staging pass
// CopiarDatosGC. Failures raise EntradaSalidaError with the program's input/output text.

#include <stdexcept>
#include <string>

#include "plat/Platform.h"

namespace gescen {

class Catalogo;

inline constexpr const char* kCarpetaTrabajo = "C:\\ZORVTMP";
inline constexpr const char* kCarpetaStaging = "C:\\ZORVTMP\\VALENCIA";
inline constexpr const char* kCarpetaGCPorDefecto = "C:\\GC";

// A failed file operation. Its text is the code's text followed by the file or folder
// concerned, so that the user knows where to look: "Disco lleno (C:\ZORVTMP\PROFT.DBF)".
class EntradaSalidaError : public std::runtime_error {
 public:
  EntradaSalidaError(int code, const std::string& ruta);
  explicit EntradaSalidaError(const plat::IoError& e);
  int code() const { return code_; }

 private:
  int code_;
};

// Copies `origen` into `destino` byte for byte, over what `destino` held; does nothing
// when `origen` does not exist. A destination whose file-name part is empty receives the
// source's name.
void CopiarArchivo(std::string destino, const std::string& origen);
// Makes `destino` a copy of `origen`, or deletes it when `origen` does not exist (a
// refused deletion is not reported). A link at `destino` is deleted, not written through.
void ReemplazarArchivo(const std::string& destino, const std::string& origen);

// The path of a file of the GESCEN folder: the folder, "\" and the name.
std::string archivoGC(const std::string& carpetaGC, const std::string& nombre);

// Stages the eleven GESCEN files from `carpetaGC` into the staging folder, closing each
// catalogue handle before its file is replaced.
void CopiarDatosGC(Catalogo& tablas, const std::string& carpetaGC);

// Creates the staging folder and the folders above it when missing; failures are
// noticed later, by the first copy into it.
void asegurarCarpetaStaging();

}  // namespace gescen
