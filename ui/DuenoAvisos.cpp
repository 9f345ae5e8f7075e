#include "ui/DuenoAvisos.h"

namespace ui {

DuenoAviso duenoDeAvisos(const procesos::EstadoPrograma& estado, OrigenAviso origen) {
  if (origen == OrigenAviso::VentanaPropia) return DuenoAviso::VentanaOrigen;
  if (estado.avisosDelAnfitrion()) return DuenoAviso::VentanaAnfitrion;
  return origen == OrigenAviso::DialogoPrincipal ? DuenoAviso::VentanaOrigen : DuenoAviso::Ninguno;
}

}  // namespace ui
