#include "win32/DialogoComprobacion.h"

#include <string>

#include "procesos/TextoAviso.h"
#include "win32/Avisos.h"
#include "win32/BarraNavegador.h"
#include "win32/Controles.h"
#include "win32/Panel.h"
#include "win32/Rejilla.h"
#include "win32/Texto.h"

namespace win32 {
namespace {

// The window class of a check dialog: "T" and its name (TControlProfesores).
std::wstring claseDe(const ui::Dialogo& d) { return L"T" + ancho(d.nombre); }

}  // namespace

DialogoComprobacion::DialogoComprobacion(HINSTANCE instancia, ui::Comprobacion cual,
                                         const procesos::EstadoPrograma& estado, HWND principal,
                                         std::function<void()> ayuda)
    : presentador_(cual), estado_(estado), ayuda_(std::move(ayuda)) {
  const ui::Dialogo& d = presentador_.disposicion();
  registrarPanel(instancia);
  registrarNavegador(instancia);
  Rejilla::registrar(instancia);
  const std::wstring clase = claseDe(d);
  WNDCLASSW c = {};
  c.lpfnWndProc = procedimientoDe<DialogoComprobacion>;
  c.hInstance = instancia;
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The gradient panel covers the whole client area: no background of the class's own,
  // which would outlive this dialog's brush when the dialog is shown again.
  c.lpszClassName = clase.c_str();
  c.cbWndExtra = sizeof(DialogoComprobacion*);
  RegisterClassW(&c);

  // A fixed dialog frame around the layout's client area, at its place on the screen.
  const DWORD estilo = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD extendido = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r = {0, 0, d.ancho, d.alto};
  AdjustWindowRectEx(&r, estilo, FALSE, extendido);
  CreateWindowExW(extendido, clase.c_str(), ancho(d.titulo).c_str(), estilo, d.x, d.y,
                  r.right - r.left, r.bottom - r.top,
                  duenoDeAvisos(estado_, ui::OrigenAviso::DialogoPrincipal, principal), nullptr,
                  instancia, this);
  crearControles();
  presentador_.datos().setObservador(this);
}

DialogoComprobacion::~DialogoComprobacion() {
  presentador_.datos().setObservador(nullptr);
  if (ventana_ != nullptr) DestroyWindow(ventana_);
  if (fondoCabecera_ != nullptr) DeleteObject(fondoCabecera_);
}

void DialogoComprobacion::crearControles() {
  const ui::Dialogo& d = presentador_.disposicion();
  HWND panel = crearPanel(ventana_, d.panel("Draw3D1"), kIdPrimerPanel);
  for (std::size_t i = 0; i < d.controles.size(); ++i) {
    const ui::Control& c = d.controles[i];
    const int id = kIdPrimerControl + static_cast<int>(i);
    switch (c.clase) {
      case ui::Clase::Rejilla:
        rejilla_ = Rejilla::crear(
            panel, c, id, presentador_.datos(),
            {[this] { presentador_.rejillaEntrada(); }, [this] { presentador_.rejillaSalida(); },
             [this](const std::string& t) { error(t); }});
        break;
      case ui::Clase::Navegador:
        navegador_ =
            crearNavegador(panel, c, id, presentador_.datos(), [this](std::function<void()> paso) {
              try {
                paso();
              } catch (const std::exception& e) {
                error(e.what());
              }
            });
        break;
      default: {
        HWND h = crearControl(panel, c, id);
        if (c.clase == ui::Clase::BotonCerrar) salir_ = h;
        if (c.conFondo) fondoCabecera_ = CreateSolidBrush(colorWin(c.fondo));
      }
    }
  }
  // The grid first: the dialog opens editing.
  SetWindowPos(rejilla_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DialogoComprobacion::ejecutar(HWND desactivar) {
  const bool activo = desactivar != nullptr && IsWindowEnabled(desactivar);
  if (activo) EnableWindow(desactivar, FALSE);
  ShowWindow(ventana_, SW_SHOW);
  SetFocus(rejilla_);
  MSG m;
  while (!cerrado_) {
    const BOOL hay = GetMessageW(&m, nullptr, 0, 0);
    if (hay <= 0) {
      // The program is ending: the main loop must see that too.
      if (hay == 0) PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (IsDialogMessageW(ventana_, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  if (activo) EnableWindow(desactivar, TRUE);
  if (ventana_ != nullptr) ShowWindow(ventana_, SW_HIDE);
  if (activo) SetActiveWindow(GetAncestor(desactivar, GA_ROOT));
}

void DialogoComprobacion::error(const std::string& texto) {
  caja(duenoDeAvisos(estado_, ui::OrigenAviso::VentanaPropia, ventana_),
       procesos::conPuntoFinal(texto), MB_ICONERROR);
}

// Salir: the grid hands its value over, then the presenter ends the check.
void DialogoComprobacion::salir() {
  if (!Rejilla::de(rejilla_)->confirmarEditor()) return;
  try {
    presentador_.salir();
  } catch (const std::exception& e) {
    error(e.what());
    return;
  }
  cerrado_ = true;
}

LRESULT DialogoComprobacion::atender(UINT m, WPARAM w, LPARAM l) {
  const ui::Dialogo& d = presentador_.disposicion();
  switch (m) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(l) == salir_ && HIWORD(w) == BN_CLICKED) salir();
      // Escape (IDCANCEL) does nothing: the dialog has no cancel.
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(w);
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(l)) - kIdPrimerControl;
      if (id < 0 || id >= static_cast<int>(d.controles.size())) break;
      const ui::Control& c = d.controles[static_cast<std::size_t>(id)];
      SetTextColor(dc, colorWin(c.color));
      if (c.conFondo) {
        SetBkColor(dc, colorWin(c.fondo));
        return reinterpret_cast<LRESULT>(fondoCabecera_);
      }
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_HELP:
      if (ayuda_) ayuda_();
      return TRUE;
    case WM_CLOSE:
      // Whatever the grid stored stays; the teacher check counts as not done.
      Rejilla::de(rejilla_)->confirmarEditor();
      cerrado_ = true;
      return 0;
    case WM_DESTROY:
      ventana_ = nullptr;
      return 0;
  }
  return DefWindowProcW(ventana_, m, w, l);
}

void DialogoComprobacion::despuesDeReleer() { alCambiarEstado(); }

void DialogoComprobacion::alCambiarFilas(int, int) { alCambiarEstado(); }

void DialogoComprobacion::alCambiarEstado() {
  if (rejilla_ != nullptr) Rejilla::de(rejilla_)->actualizar();
  if (navegador_ != nullptr) actualizarNavegador(navegador_);
}

void DialogoComprobacion::alCambiarFilaActual(int) { alCambiarEstado(); }

void DialogoComprobacion::alCancelarEdicion() {
  if (rejilla_ != nullptr) Rejilla::de(rejilla_)->descartarEditor();
}

}  // namespace win32
