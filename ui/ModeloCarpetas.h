#pragma once
// The folder list's rules: its current folder, and the rows it shows, the chain of
// folders from the drive root down to the current folder, then the current folder's
// subfolders. Folders are Windows paths (C:\GC) through the core's drive mapping.

#include <cstddef>
#include <string>
#include <vector>

namespace ui {

struct FilaCarpeta {
  std::string texto;  // the folder's name, or the drive root ("C:\")
  std::string ruta;   // the folder the row stands for
  int nivel;          // depth: 0 for the root
  bool abierta;       // on the chain to the current folder (an open folder's icon)
};

class ModeloCarpetas {
 public:
  // Starts at the process's working directory.
  ModeloCarpetas();

  // The current folder: a Windows path with no trailing separator except at a drive
  // root ("C:\GC", "C:\"); a native path when no drive holds it.
  const std::string& directorio() const { return directorio_; }

  // Moves to a folder: a Windows path, absolute, on the current drive ("\GC") or
  // relative to the current folder, or a native path. Returns false for the same
  // folder (names compared as Windows compares them). A folder that does not exist
  // raises gescen::EntradaSalidaError (path not found) and the model stays.
  bool cambiar(const std::string& carpeta);

  // The rows, read from the disk now; the current folder's row is filaActual().
  std::vector<FilaCarpeta> filas() const;
  std::size_t filaActual() const;

  // The folder as a full path, "." and ".." worked out, without checking the disk.
  std::string normalizar(const std::string& carpeta) const;

 private:
  std::string directorio_;
};

}  // namespace ui
