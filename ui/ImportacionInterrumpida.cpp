#include "ui/ImportacionInterrumpida.h"

#include "procesos/importar/CopiaSegura.h"

namespace ui {

void TerminarImportacionInterrumpida(const AvisoArranque& avisar) {
  const std::string dicho = tzv::RecuperarDevolucion();
  if (!dicho.empty()) avisar(dicho, false, tzv::EstadoPrograma{});
}

}  // namespace ui
