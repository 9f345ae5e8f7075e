#include "win32/VentanaPrincipal.h"

#include <htmlhelp.h>

#include <filesystem>
#include <span>

#include "procesos/TextoAviso.h"
#include "ui/Aplicacion.h"
#include "ui/CarpetaPrograma.h"
#include "ui/CursorDeComprobacion.h"
#include "ui/TextoAyuda.h"
#include "win32/Avisos.h"
#include "win32/Controles.h"
#include "win32/DialogoComprobacion.h"
#include "win32/Panel.h"
#include "win32/Texto.h"

namespace win32 {
namespace {

const ui::Dialogo& g_kDisposicion = ui::dialogoPrincipal();

using FuncionHtmlHelp = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

template <class T>
std::size_t indiceDe(std::span<const T> tabla, std::string_view nombre) {
  for (std::size_t i = 0; i < tabla.size(); ++i)
    if (tabla[i].nombre == nombre) return i;
  return tabla.size();
}

}  // namespace

VentanaPrincipal::VentanaPrincipal(HINSTANCE instancia, std::vector<std::string> argumentos)
    : instancia_(instancia), presentador_(*this, std::move(argumentos)) {
  registrarPanel(instancia);
  WNDCLASSW clase = {};
  clase.lpfnWndProc = procedimientoDe<VentanaPrincipal>;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hIcon = LoadIconW(instancia, L"ICONO");
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  clase.lpszClassName = kClaseDialogo;
  clase.cbWndExtra = sizeof(VentanaPrincipal*);
  RegisterClassW(&clase);
  blanco_ = CreateSolidBrush(RGB(255, 255, 255));

  // A fixed dialog frame around the layout's client area, placed by the system.
  const DWORD estilo = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD extendido = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r = {0, 0, g_kDisposicion.ancho, g_kDisposicion.alto};
  AdjustWindowRectEx(&r, estilo, FALSE, extendido);
  CreateWindowExW(extendido, kClaseDialogo, ancho(g_kDisposicion.titulo).c_str(), estilo,
                  CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr,
                  nullptr, instancia, this);
  crearControles();
  ordenTabulacion();
}

void VentanaPrincipal::mostrar() {
  ShowWindow(ventana_, SW_SHOW);
  UpdateWindow(ventana_);
  SetFocus(control(g_kDisposicion.ordenTabulacion.front()));
}

VentanaPrincipal::~VentanaPrincipal() {
  if (ventana_ != nullptr) DestroyWindow(ventana_);
  DeleteObject(blanco_);
}

void VentanaPrincipal::crearControles() {
  for (std::size_t i = 0; i < g_kDisposicion.paneles.size(); ++i)
    paneles_.push_back(
        crearPanel(ventana_, g_kDisposicion.paneles[i], kIdPrimerPanel + static_cast<int>(i)));
  for (std::size_t i = 0; i < g_kDisposicion.controles.size(); ++i) {
    const ui::Control& c = g_kDisposicion.controles[i];
    controles_.push_back(crearControl(panel(c.panel), c, kIdPrimerControl + static_cast<int>(i)));
  }
}

// Tab moves through each pane's controls in their stacking order: the order of the
// layout's tab list, pane after pane.
void VentanaPrincipal::ordenTabulacion() {
  for (std::string_view nombre : g_kDisposicion.ordenTabulacion)
    SetWindowPos(control(nombre), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND VentanaPrincipal::control(std::string_view nombre) const {
  return controles_.at(indiceDe(g_kDisposicion.controles, nombre));
}

HWND VentanaPrincipal::panel(std::string_view nombre) const {
  return paneles_.at(indiceDe(g_kDisposicion.paneles, nombre));
}

LRESULT VentanaPrincipal::atender(UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case DM_GETDEFID: {
      // Enter, in a control that does not use it, presses the default button.
      const auto id =
          kIdPrimerControl + indiceDe(g_kDisposicion.controles, presentador_.botonPorDefecto());
      return MAKELRESULT(id, DC_HASDEFID);
    }
    case WM_COMMAND: {
      const int id = LOWORD(w);
      const int codigo = HIWORD(w);
      orden(id, codigo);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return colorControl(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 16;
      return TRUE;
    case WM_DRAWITEM:
      dibujarCarpeta(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_SETCURSOR:
      if (esperando_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_HELP:
      presentador_.teclaF1();
      return TRUE;
    case WM_CLOSE:
      if (presentador_.FormClose()) DestroyWindow(ventana_);
      return 0;
    case WM_DESTROY:
      ventana_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(ventana_, mensaje, w, l);
}

void VentanaPrincipal::orden(int id, int codigo) {
  const std::size_t i = static_cast<std::size_t>(id - kIdPrimerControl);
  if (id < kIdPrimerControl || i >= g_kDisposicion.controles.size()) return;  // Escape: IDCANCEL
  const std::string_view nombre = g_kDisposicion.controles[i].nombre;
  if (codigo == BN_CLICKED) {
    if (nombre == "BExportar") presentador_.BExportarClick();
    if (nombre == "BImportar") presentador_.BImportarClick();
    if (nombre == "BClose") SendMessageW(ventana_, WM_CLOSE, 0, 0);
    if (nombre == "Button1") presentador_.Button1Click();
  } else if (codigo == LBN_DBLCLK && nombre == "ListaDirectorios") {
    const LRESULT fila = SendMessageW(controles_[i], LB_GETCURSEL, 0, 0);
    if (fila >= 0 && static_cast<std::size_t>(fila) < filas_.size())
      presentador_.abrirCarpeta(filas_[static_cast<std::size_t>(fila)].ruta);
  } else if (codigo == CBN_SELCHANGE && nombre == "ListaUnidades") {
    const LRESULT fila = SendMessageW(controles_[i], CB_GETCURSEL, 0, 0);
    if (fila >= 0 && static_cast<std::size_t>(fila) < unidades_.size())
      presentador_.elegirUnidad(unidades_[static_cast<std::size_t>(fila)]);
  }
}

// Labels are drawn in their colour over the pane's gradient; edit fields and lists in
// their colour on white.
LRESULT VentanaPrincipal::colorControl(HDC dc, HWND ventana) {
  for (HWND v = ventana; v != nullptr && v != ventana_; v = GetParent(v)) {
    const std::size_t i = static_cast<std::size_t>(GetDlgCtrlID(v) - kIdPrimerControl);
    if (i >= g_kDisposicion.controles.size() || controles_[i] != v) continue;
    const ui::Control& c = g_kDisposicion.controles[i];
    SetTextColor(dc, colorWin(c.color));
    if (c.clase == ui::Clase::Etiqueta) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(blanco_);
  }
  return DefWindowProcW(ventana_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(ventana));
}

// A row of the folder list: indented by its depth, a folder drawn open or closed, the
// name.
void VentanaPrincipal::dibujarCarpeta(const DRAWITEMSTRUCT& d) const {
  if (d.itemID == static_cast<UINT>(-1) || d.itemID >= filas_.size()) return;
  const ui::FilaCarpeta& f = filas_[d.itemID];
  const bool elegida = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(elegida ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int x = d.rcItem.left + 2 + f.nivel * 8;
  const int y = d.rcItem.top + 2;
  HBRUSH amarillo = CreateSolidBrush(f.abierta ? RGB(255, 224, 128) : RGB(240, 200, 80));
  HGDIOBJ antes = SelectObject(d.hDC, amarillo);
  HGDIOBJ lapizAntes = SelectObject(d.hDC, GetStockObject(BLACK_PEN));
  Rectangle(d.hDC, x, y + 2, x + 14, y + 12);
  Rectangle(d.hDC, x, y, x + 6, y + 3);
  SelectObject(d.hDC, lapizAntes);
  SelectObject(d.hDC, antes);
  DeleteObject(amarillo);
  RECT texto = d.rcItem;
  texto.left = x + 17;
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(elegida ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring nombre = ancho(f.texto);
  DrawTextW(d.hDC, nombre.c_str(), static_cast<int>(nombre.size()), &texto,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

// Inside the host's window: a child without frame or caption at 2, 2. With handle 0
// the dialog stays a top-level window, still without frame or caption.
void VentanaPrincipal::incrustar(std::uint32_t anfitrion) {
  HWND padre = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(anfitrion));
  LONG_PTR estilo = GetWindowLongPtrW(ventana_, GWL_STYLE);
  estilo &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU | WS_OVERLAPPED | WS_POPUP | WS_CHILD);
  estilo |= padre != nullptr ? WS_CHILD : WS_POPUP;
  SetWindowLongPtrW(ventana_, GWL_STYLE, estilo);
  SetWindowLongPtrW(ventana_, GWL_EXSTYLE,
                    GetWindowLongPtrW(ventana_, GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME);
  if (padre != nullptr) SetParent(ventana_, padre);
  SetWindowPos(ventana_, nullptr, 2, 2, g_kDisposicion.ancho, g_kDisposicion.alto,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void VentanaPrincipal::mostrarPaneles(bool exportar, bool importar) {
  for (std::size_t i = 0; i < paneles_.size(); ++i) {
    const std::string_view nombre = g_kDisposicion.paneles[i].nombre;
    const bool visible = nombre == "Draw3D2" ? exportar : nombre == "Draw3D3" ? importar : true;
    const ui::Caja c = ui::cajaPanelPrincipal(nombre, exportar, importar);
    SetWindowPos(paneles_[i], nullptr, c.x, c.y, c.ancho, c.alto,
                 SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  for (std::string_view boton : {"BExportar", "BImportar"}) {
    const DWORD estilo = boton == presentador_.botonPorDefecto() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(control(boton), BM_SETSTYLE, estilo, TRUE);
  }
}

void VentanaPrincipal::mostrarCarpetas(const ui::ModeloCarpetas& carpetas) {
  HWND lista = control("ListaDirectorios");
  filas_ = carpetas.filas();
  SendMessageW(lista, WM_SETREDRAW, FALSE, 0);
  SendMessageW(lista, LB_RESETCONTENT, 0, 0);
  for (const ui::FilaCarpeta& f : filas_)
    SendMessageW(lista, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ancho(f.texto).c_str()));
  SendMessageW(lista, LB_SETCURSEL, carpetas.filaActual(), 0);
  SendMessageW(lista, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(lista, nullptr, TRUE);
}

void VentanaPrincipal::mostrarUnidades(const ui::ModeloUnidades& unidades) {
  HWND caja = control("ListaUnidades");
  unidades_ = unidades.unidades();
  SendMessageW(caja, CB_RESETCONTENT, 0, 0);
  int elegida = -1;
  for (std::size_t i = 0; i < unidades_.size(); ++i) {
    SendMessageW(caja, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ancho(ui::ModeloUnidades::texto(unidades_[i])).c_str()));
    if (unidades_[i] == unidades.seleccionada()) elegida = static_cast<int>(i);
  }
  SendMessageW(caja, CB_SETCURSEL, static_cast<WPARAM>(elegida), 0);
}

void VentanaPrincipal::textoCarpeta(const std::string& texto) {
  SetWindowTextW(control("EdNuevoDir"), ancho(texto).c_str());
}

void VentanaPrincipal::centros(const std::vector<std::string>& codigos) {
  HWND caja = control("CBCentro");
  SendMessageW(caja, CB_RESETCONTENT, 0, 0);
  for (const std::string& c : codigos)
    SendMessageW(caja, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ancho(c).c_str()));
  if (!codigos.empty()) SendMessageW(caja, CB_SETCURSEL, 0, 0);
}

std::string VentanaPrincipal::centro() const { return textoDe(control("CBCentro")); }

std::string VentanaPrincipal::idioma() const { return textoDe(control("ComboBoxValCast")); }

HWND VentanaPrincipal::duenoDeAvisos() const {
  return win32::duenoDeAvisos(presentador_.estado(), ui::OrigenAviso::DialogoPrincipal, ventana_);
}

void VentanaPrincipal::caja(const std::string& texto, UINT icono) {
  win32::caja(duenoDeAvisos(), texto, icono);
}

void VentanaPrincipal::mensaje(const std::string& texto) { caja(texto, 0); }

void VentanaPrincipal::error(const std::string& texto) {
  caja(procesos::conPuntoFinal(texto), MB_ICONERROR);
}

void VentanaPrincipal::cursorEspera(bool activo) {
  esperando_ = activo;
  SetCursor(LoadCursorW(nullptr, activo ? IDC_WAIT : IDC_ARROW));
}

void VentanaPrincipal::cerrarDialogo() { SendMessageW(ventana_, WM_CLOSE, 0, 0); }

// A check dialog, modal over the main dialog and owned as boxes are, with the normal
// cursor while it is up.
bool VentanaPrincipal::comprobar(ui::Comprobacion cual) {
  const ui::CursorNormalDurante cursor(
      esperando_, [this] { cursorEspera(false); }, [this] { cursorEspera(true); });
  DialogoComprobacion dialogo(instancia_, cual, presentador_.estado(), ventana_,
                              [this] { presentador_.teclaF1(); });
  dialogo.ejecutar(ventana_);
  return dialogo.dniCorrecto();
}

bool VentanaPrincipal::controlProfesores() { return comprobar(ui::Comprobacion::Profesores); }

void VentanaPrincipal::controlPlantilla() { comprobar(ui::Comprobacion::Plantilla); }

// HTML Help, loaded when first asked for; a missing help file or component is said in
// a box instead of nothing happening.
void VentanaPrincipal::ayuda(UINT orden, DWORD_PTR dato) {
  static FuncionHtmlHelp htmlHelp = [] {
    HMODULE hh = LoadLibraryW(L"hhctrl.ocx");
    return hh != nullptr ? reinterpret_cast<FuncionHtmlHelp>(
                               reinterpret_cast<void*>(GetProcAddress(hh, "HtmlHelpW")))
                         : nullptr;
  }();
  const std::string archivo = ui::juntoAlPrograma(ui::kArchivoAyuda);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::path(ancho(archivo)), ec)) {
    error(ui::textoFaltaAyuda(archivo));
    return;
  }
  if (htmlHelp == nullptr) {
    error("No se puede mostrar la ayuda: falta el componente HTML Help de Windows (hhctrl.ocx)");
    return;
  }
  if (htmlHelp(GetDesktopWindow(), ancho(archivo).c_str(), orden, dato) == nullptr)
    error("No se ha podido abrir la ayuda " + archivo);
}

void VentanaPrincipal::ayudaContenido() { ayuda(HH_DISPLAY_TOC, 0); }

void VentanaPrincipal::ayudaContexto(int contexto) {
  ayuda(HH_HELP_CONTEXT, static_cast<DWORD_PTR>(contexto));
}

}  // namespace win32
