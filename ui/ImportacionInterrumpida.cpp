#include "ui/ImportacionInterrumpida.h"

#include "procesos/importar/CopiaSegura.h"

namespace ui {

void TerminarImportacionInterrumpida(const AvisoArranque& avisar) {
  const std::string dicho = procesos::RecuperarDevolucion();
  if (!dicho.empty()) avisar(dicho, false, procesos::EstadoPrograma{});
}

}  // namespace ui
