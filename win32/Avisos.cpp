#include "win32/Avisos.h"

#include "procesos/TextoAviso.h"
#include "ui/Aplicacion.h"
#include "win32/Texto.h"

namespace win32 {

HWND duenoDeAvisos(const procesos::EstadoPrograma& estado, ui::OrigenAviso origen, HWND ventana) {
  switch (ui::duenoDeAvisos(estado, origen)) {
    case ui::DuenoAviso::VentanaAnfitrion:
      return GetAncestor(
          reinterpret_cast<HWND>(static_cast<std::uintptr_t>(estado.ventanaAnfitrion)), GA_ROOT);
    case ui::DuenoAviso::VentanaOrigen:
      return ventana;
    case ui::DuenoAviso::Ninguno:
      break;
  }
  return nullptr;
}

void caja(HWND dueno, const std::string& texto, UINT icono) {
  MessageBoxW(dueno, ancho(texto).c_str(), ancho(ui::kTituloAplicacion).c_str(),
              MB_OK | icono | (dueno == nullptr ? MB_TASKMODAL : 0));
}

void avisoArranque(const std::string& texto, bool error, const procesos::EstadoPrograma& estado) {
  HWND dueno = duenoDeAvisos(estado, ui::OrigenAviso::SinVentana, nullptr);
  if (error)
    caja(dueno, procesos::conPuntoFinal(texto), MB_ICONERROR);
  else
    caja(dueno, texto, 0);
}

}  // namespace win32
