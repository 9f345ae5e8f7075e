#pragma once
// The drive box's rules: the drive letters of the core's drive mapping, shown as "c:",
// the selected one, and each drive's current folder (its root until the folder list
// has been on that drive), so that choosing a drive can move the folder list there.

#include <map>
#include <string>
#include <vector>

namespace ui {

class ModeloUnidades {
 public:
  ModeloUnidades() { releer(); }

  // Lists the drives again; the selection stays when its drive still exists.
  void releer();
  const std::vector<char>& unidades() const { return unidades_; }
  static std::string texto(char unidad);

  // Upper-case letter of the selected drive; 0 when none is selected.
  char seleccionada() const { return seleccionada_; }

  // Selects the drive of a folder (a Windows path) and remembers the folder as that
  // drive's current folder. A folder that no drive holds changes nothing.
  void mostrarCarpeta(const std::string& carpeta);
  // The drive's current folder: the one remembered, or its root ("D:\").
  std::string carpetaActual(char unidad) const;

 private:
  std::vector<char> unidades_;
  char seleccionada_ = 0;
  std::map<char, std::string> actual_;
};

}  // namespace ui
