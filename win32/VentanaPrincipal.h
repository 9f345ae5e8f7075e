#pragma once
// TExportarDatos on Windows: the window of ui::PresentadorPrincipal, made with the
// Win32 API from the main dialog's layout table. It forwards the user's input to the
// presenter and shows what the presenter tells it; the runs talk to the user through it.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/PresentadorComprobacion.h"
#include "ui/PresentadorPrincipal.h"
#include "ui/VistaPrincipal.h"
#include "win32/VentanaDeObjeto.h"

namespace win32 {

class VentanaPrincipal final : public ui::VistaPrincipal {
 public:
  // Creates the window, hidden, with every control of the layout.
  VentanaPrincipal(HINSTANCE instancia, std::vector<std::string> argumentos);
  ~VentanaPrincipal() override;
  VentanaPrincipal(const VentanaPrincipal&) = delete;
  VentanaPrincipal& operator=(const VentanaPrincipal&) = delete;

  HWND ventana() const { return ventana_; }
  void FormCreate() { presentador_.FormCreate(); }
  // Shows the dialog with the focus on the first control of the tab order.
  void mostrar();

 private:
  // What the runs ask of the user interface.
  void mensaje(const std::string& texto) override;
  void cursorEspera(bool activo) override;
  bool controlProfesores() override;
  void controlPlantilla() override;

  // What the presenter shows through the window.
  void incrustar(std::uint32_t ventana) override;
  void mostrarPaneles(bool exportar, bool importar) override;
  void mostrarCarpetas(const ui::ModeloCarpetas& carpetas) override;
  void mostrarUnidades(const ui::ModeloUnidades& unidades) override;
  void textoCarpeta(const std::string& texto) override;
  void centros(const std::vector<std::string>& codigos) override;
  std::string centro() const override;
  std::string idioma() const override;
  void error(const std::string& texto) override;
  void cerrarDialogo() override;
  void ayudaContenido() override;
  void ayudaContexto(int contexto) override;

  template <class T>
  friend LRESULT CALLBACK procedimientoDe(HWND, UINT, WPARAM, LPARAM);
  LRESULT atender(UINT mensaje, WPARAM w, LPARAM l);
  void crearControles();
  void ordenTabulacion();
  void orden(int id, int codigo);
  LRESULT colorControl(HDC dc, HWND control);
  void dibujarCarpeta(const DRAWITEMSTRUCT& d) const;
  void caja(const std::string& texto, UINT icono);
  HWND duenoDeAvisos() const;
  bool comprobar(ui::Comprobacion cual);
  void ayuda(UINT orden, DWORD_PTR dato);
  HWND control(std::string_view nombre) const;
  HWND panel(std::string_view nombre) const;

  HINSTANCE instancia_;
  HWND ventana_ = nullptr;
  ui::PresentadorPrincipal presentador_;
  std::vector<HWND> paneles_;
  std::vector<HWND> controles_;
  std::vector<ui::FilaCarpeta> filas_;
  std::vector<char> unidades_;
  bool esperando_ = false;
  HBRUSH blanco_ = nullptr;
};

}  // namespace win32
