#pragma once
// The import's two check dialogs on Windows, TControlProfesores and TControlPlantilla:
// the window of a ui::PresentadorComprobacion, built from its layout table (the
// gradient panel, the labels, the navigator, the grid and "Salir"), shown modal over
// its owner. Escape does not close it; the presenter holds every rule.

#include <windows.h>

#include <functional>
#include <memory>

#include "procesos/EstadoPrograma.h"
#include "ui/PresentadorComprobacion.h"
#include "win32/VentanaDeObjeto.h"

namespace win32 {

class Rejilla;

class DialogoComprobacion final : private ui::ConjuntoDatos::Observador {
 public:
  // Opens the check's table (a table that cannot be opened throws the engine's error)
  // and makes the window, hidden, owned as the boxes of the main dialog `principal` are
  // in the mode `estado` describes. `ayuda` answers F1.
  DialogoComprobacion(HINSTANCE instancia, ui::Comprobacion cual,
                      const procesos::EstadoPrograma& estado, HWND principal,
                      std::function<void()> ayuda);
  ~DialogoComprobacion() override;
  DialogoComprobacion(const DialogoComprobacion&) = delete;
  DialogoComprobacion& operator=(const DialogoComprobacion&) = delete;

  // Shows the dialog and waits until it is closed; `desactivar` (the main dialog, and
  // the owner when it is one of the program's windows) takes no input meanwhile.
  void ejecutar(HWND desactivar);
  // The dialog's window and its grid, while it is shown.
  HWND ventana() const { return ventana_; }
  HWND rejilla() const { return rejilla_; }
  bool dniCorrecto() const { return presentador_.dniCorrecto(); }

 private:
  template <class T>
  friend LRESULT CALLBACK procedimientoDe(HWND, UINT, WPARAM, LPARAM);
  LRESULT atender(UINT m, WPARAM w, LPARAM l);
  void crearControles();
  void salir();
  void error(const std::string& texto);

  // What the dataset says: the grid and the navigator follow it.
  void despuesDeReleer() override;
  void alCambiarFilas(int desde, int hasta) override;
  void alCambiarEstado() override;
  void alCambiarFilaActual(int fila) override;
  void alCancelarEdicion() override;

  ui::PresentadorComprobacion presentador_;
  procesos::EstadoPrograma estado_;
  std::function<void()> ayuda_;
  HWND ventana_ = nullptr;
  HWND rejilla_ = nullptr;
  HWND navegador_ = nullptr;
  HWND salir_ = nullptr;
  HBRUSH fondoCabecera_ = nullptr;
  bool cerrado_ = false;
};

}  // namespace win32
