#include "ui/ModeloUnidades.h"

#include <algorithm>
#include <cctype>

#include "plat/WinPath.h"

namespace ui {

void ModeloUnidades::releer() {
  unidades_ = plat::drives();
  if (std::find(unidades_.begin(), unidades_.end(), seleccionada_) == unidades_.end())
    seleccionada_ = 0;
}

std::string ModeloUnidades::texto(char unidad) {
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(unidad)))) + ":";
}

void ModeloUnidades::mostrarCarpeta(const std::string& carpeta) {
  if (carpeta.size() < 2 || carpeta[1] != ':') return;
  const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(carpeta[0])));
  actual_[letra] = carpeta;
  seleccionada_ =
      std::find(unidades_.begin(), unidades_.end(), letra) != unidades_.end() ? letra : 0;
}

std::string ModeloUnidades::carpetaActual(char unidad) const {
  const auto it = actual_.find(unidad);
  if (it != actual_.end()) return it->second;
  return std::string(1, unidad) + ":\\";
}

}  // namespace ui
