#include "ui/UnaCopia.h"

#include "ui/Aplicacion.h"
#include "ui/ArchivoIni.h"
#include "ui/CarpetaPrograma.h"
#include "ui/LineaOrdenes.h"

namespace ui {

bool primeraCopia(const gescen::ProgramaAbierto& programa,
                  const std::vector<std::string>& argumentos, const AvisoArranque& avisar) {
  if (!programa.otraCopia()) return true;
  const procesos::EstadoPrograma estado = estadoDeArgumentos(argumentos);
  const std::string error = estado.modoAnfitrion() ? escribirResultado(0) : std::string();
  avisar(gescen::kProgramaYaAbierto, false, estado);
  if (!error.empty()) avisar(error, true, estado);
  return false;
}

procesos::EstadoPrograma estadoDeArgumentos(const std::vector<std::string>& argumentos) {
  procesos::EstadoPrograma estado;
  if (argumentos.size() != 2) return estado;
  try {
    estado.ventanaAnfitrion = ui::convertirEntero("$" + argumentos[1]);
    estado.numeroArgumentos = 2;
  } catch (const ui::ErrorConversion&) {
    // Not a handle: the program would open as a stand-alone dialog.
  }
  return estado;
}

std::string escribirResultado(std::int32_t resultado) {
  const std::string ruta = ui::juntoAlPrograma(ui::kArchivoAjustes);
  if (ui::escribirValor(ruta, "Transformadores", "Transformado", std::to_string(resultado)))
    return {};
  return "Unable to write to " + ruta;
}

}  // namespace ui
