#pragma once
// What the main dialog's presenter asks of a front end's window. The runs' own
// requests (messages, cursor, the two check dialogs) come through Interaccion.

#include <cstdint>
#include <string>
#include <vector>

#include "procesos/Interaccion.h"
#include "ui/ModeloCarpetas.h"
#include "ui/ModeloUnidades.h"

namespace ui {

class VistaPrincipal : public procesos::Interaccion {
 public:
  // Host mode: the dialog becomes a child of that window (0: stays a top-level window),
  // without frame or caption, with its top-left corner at 2, 2.
  virtual void incrustar(std::uint32_t ventana) = 0;
  // Shows or hides the export and import panes; each pane lies where
  // CajaPanelPrincipal says.
  virtual void mostrarPaneles(bool exportar, bool importar) = 0;
  // The folder list, the drive box and the folder box show what their models hold.
  virtual void mostrarCarpetas(const ModeloCarpetas& carpetas) = 0;
  virtual void mostrarUnidades(const ModeloUnidades& unidades) = 0;
  virtual void textoCarpeta(const std::string& texto) = 0;
  // The centre list's entries, the first selected (none when there are none).
  virtual void centros(const std::vector<std::string>& codigos) = 0;
  // The texts the runs read: the centre list's and the language box's.
  virtual std::string centro() const = 0;
  virtual std::string idioma() const = 0;
  // The error display: error icon, the text with its full stop.
  virtual void error(const std::string& texto) = 0;
  // Help: the contents of the help file, or a help context.
  virtual void ayudaContenido() = 0;
  virtual void ayudaContexto(int contexto) = 0;
  // Closes the main dialog, which ends the program (in host mode, after the flag has
  // gone into the host's settings file).
  virtual void cerrarDialogo() = 0;
  // The GESCEN files of a folder have just been staged.
  virtual void datosCopiados(const std::string& carpeta) { (void)carpeta; }
};

}  // namespace ui
