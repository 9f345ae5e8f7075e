#include "win32/Controles.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

#include "win32/Texto.h"

namespace win32 {
namespace {

struct Estilo {
  const wchar_t* clase;
  DWORD estilo;
  DWORD extendido;
};

Estilo estiloDe(const ui::Control& c) {
  using ui::Clase;
  constexpr DWORD kFoco = WS_TABSTOP;
  switch (c.clase) {
    case Clase::Etiqueta:
      // The alignment styles are one value, not flags: centred text wraps.
      return {L"STATIC",
              static_cast<DWORD>(c.alineacion == ui::Alineacion::Centro ? SS_CENTER
                                 : c.ajusteLinea                        ? SS_LEFT
                                                                        : SS_LEFTNOWORDWRAP) |
                  SS_NOPREFIX,
              0};
    case Clase::Edicion:
      return {L"EDIT", kFoco | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Clase::ListaCarpetas:
      return {L"LISTBOX",
              kFoco | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                  WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case Clase::CajaUnidades:
    case Clase::Desplegable:
      return {L"COMBOBOX", kFoco | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case Clase::DesplegableTexto:
      return {L"COMBOBOX", kFoco | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
    case Clase::Boton:
    case Clase::BotonCerrar:
      return {L"BUTTON", kFoco | BS_PUSHBUTTON, 0};
    case Clase::BotonAceptar:
      return {L"BUTTON", kFoco | BS_DEFPUSHBUTTON, 0};
    case Clase::Rejilla:
    case Clase::Navegador:
      break;
  }
  return {L"STATIC", 0, 0};
}

// A label without a width of its own is as wide and high as its text.
SIZE tamanoDeTexto(HWND ventana, HFONT fuente, const std::wstring& texto) {
  HDC dc = GetDC(ventana);
  HGDIOBJ antes = SelectObject(dc, fuente);
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, texto.c_str(), static_cast<int>(texto.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, antes);
  ReleaseDC(ventana, dc);
  return {r.right - r.left, r.bottom - r.top};
}

// Draws a glyph into a 16 x 16 icon: the green tick of OK buttons or the red cross of
// close buttons, on a transparent ground.
HICON dibujarGlifo(bool aceptar) {
  constexpr int kN = 16;
  BITMAPV5HEADER h = {};
  h.bV5Size = sizeof h;
  h.bV5Width = kN;
  h.bV5Height = -kN;
  h.bV5Planes = 1;
  h.bV5BitCount = 32;
  h.bV5Compression = BI_BITFIELDS;
  h.bV5RedMask = 0x00FF0000;
  h.bV5GreenMask = 0x0000FF00;
  h.bV5BlueMask = 0x000000FF;
  h.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC dc = GetDC(nullptr);
  HBITMAP color =
      CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, dc);
  auto* px = static_cast<std::uint32_t*>(bits);
  const std::uint32_t tinta = aceptar ? 0xFF008000u : 0xFFC00000u;
  auto punto = [&](int x, int y) {
    for (int dx = 0; dx < 2; ++dx)
      for (int dy = 0; dy < 2; ++dy)
        if (x + dx < kN && y + dy < kN) px[(y + dy) * kN + x + dx] = tinta;
  };
  auto linea = [&](int x0, int y0, int x1, int y1) {
    const int pasos = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= pasos; ++i) punto(x0 + (x1 - x0) * i / pasos, y0 + (y1 - y0) * i / pasos);
  };
  for (int i = 0; i < kN * kN; ++i) px[i] = 0;
  if (aceptar) {
    linea(2, 8, 6, 12);
    linea(6, 12, 13, 3);
  } else {
    linea(3, 3, 12, 12);
    linea(12, 3, 3, 12);
  }
  // The alpha channel says what is drawn; the mask only has to exist.
  const std::uint16_t ceros[kN] = {};
  HBITMAP mascara = CreateBitmap(kN, kN, 1, 1, ceros);
  ICONINFO info = {TRUE, 0, 0, mascara, color};
  HICON icono = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mascara);
  return icono;
}

}  // namespace

HFONT fuente(const ui::Fuente& f) {
  static std::map<std::tuple<std::string, int, bool, bool>, HFONT> hechas;
  const auto clave = std::make_tuple(std::string(f.cara), f.pixeles, f.negrita, f.subrayada);
  auto it = hechas.find(clave);
  if (it != hechas.end()) return it->second;
  // A negative height asks for that many pixels of character height, as the layout
  // gives it; bold faces are drawn without smoothing, crisp as Windows draws them.
  HFONT h = CreateFontW(-f.pixeles, 0, 0, 0, f.negrita ? FW_BOLD : FW_NORMAL, FALSE, f.subrayada,
                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        f.negrita ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, ancho(f.cara).c_str());
  hechas.emplace(clave, h);
  return h;
}

HICON glifo(ui::Clase clase) {
  static HICON aceptar = dibujarGlifo(true);
  static HICON cerrar = dibujarGlifo(false);
  return clase == ui::Clase::BotonAceptar ? aceptar : cerrar;
}

HWND crearControl(HWND panel, const ui::Control& c, int id) {
  const Estilo e = estiloDe(c);
  const std::wstring texto = ancho(c.texto);
  const bool conTexto = c.clase == ui::Clase::Etiqueta || c.clase == ui::Clase::Boton ||
                        c.clase == ui::Clase::BotonAceptar || c.clase == ui::Clase::BotonCerrar;
  HWND h = CreateWindowExW(e.extendido, e.clase, conTexto ? texto.c_str() : L"",
                           WS_CHILD | WS_VISIBLE | e.estilo, c.caja.x, c.caja.y, c.caja.ancho,
                           c.caja.alto, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(panel, GWLP_HINSTANCE)),
                           nullptr);
  HFONT hfuente = fuente(c.fuente);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(hfuente), FALSE);
  if (c.clase == ui::Clase::Etiqueta && c.caja.ancho == 0) {
    const SIZE s = tamanoDeTexto(h, hfuente, texto);
    SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (c.clase == ui::Clase::BotonAceptar || c.clase == ui::Clase::BotonCerrar)
    SendMessageW(h, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glifo(c.clase)));
  if (c.clase == ui::Clase::ListaCarpetas) SendMessageW(h, LB_SETITEMHEIGHT, 0, 16);
  if (c.clase == ui::Clase::Desplegable || c.clase == ui::Clase::CajaUnidades ||
      c.clase == ui::Clase::DesplegableTexto) {
    // The height given is the closed box's: the field inside it is 6 pixels lower.
    SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), c.caja.alto - 6);
    // Room for the drop-down list below the box.
    SetWindowPos(h, nullptr, 0, 0, c.caja.ancho, c.caja.alto + 150,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::string_view elemento : c.elementos)
      SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ancho(elemento).c_str()));
    if (c.clase == ui::Clase::DesplegableTexto) SetWindowTextW(h, texto.c_str());
  }
  return h;
}

}  // namespace win32
