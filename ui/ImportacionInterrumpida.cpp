#include "ui/ImportacionInterrumpida.h"

#include "procesos/importar/CopiaSegura.h"

namespace ui {

void terminarImportacionInterrumpida(const AvisoArranque& avisar) {
  const std::string dicho = procesos::recuperarDevolucion();
  if (!dicho.empty()) avisar(dicho, false, procesos::EstadoPrograma{});
}

}  // namespace ui
