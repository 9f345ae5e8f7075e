#include "win32/Panel.h"

namespace win32 {
namespace {

struct Colores {
  COLORREF inicio, medio, fin;
};

TRIVERTEX vertice(int x, int y, COLORREF c) {
  return {x,
          y,
          static_cast<COLOR16>(GetRValue(c) << 8),
          static_cast<COLOR16>(GetGValue(c) << 8),
          static_cast<COLOR16>(GetBValue(c) << 8),
          0};
}

void pintar(HWND ventana, HDC dc) {
  const auto* c = reinterpret_cast<const Colores*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
  RECT r;
  GetClientRect(ventana, &r);
  const int mitad = (r.top + r.bottom) / 2;
  TRIVERTEX v[4] = {vertice(r.left, r.top, c->inicio), vertice(r.right, mitad, c->medio),
                    vertice(r.left, mitad, c->medio), vertice(r.right, r.bottom, c->fin)};
  GRADIENT_RECT g[2] = {{0, 1}, {2, 3}};
  GradientFill(dc, v, 4, g, 2, GRADIENT_FILL_RECT_V);
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

LRESULT CALLBACK procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(ventana, &ps);
      pintar(ventana, dc);
      EndPaint(ventana, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      pintar(ventana, reinterpret_cast<HDC>(w));
      return 0;
    // What the controls say and ask goes to the dialog.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_VKEYTOITEM:
      return SendMessageW(GetParent(ventana), mensaje, w, l);
    case WM_NCDESTROY:
      delete reinterpret_cast<Colores*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
      break;
  }
  return DefWindowProcW(ventana, mensaje, w, l);
}

}  // namespace

COLORREF colorWin(const ui::Color& color) {
  using S = ui::Color::Sistema;
  switch (color.sistema) {
    case S::Escritorio:
      return GetSysColor(COLOR_BACKGROUND);
    case S::Resaltado:
      return GetSysColor(COLOR_HOTLIGHT);
    case S::CaraBoton:
      return GetSysColor(COLOR_BTNFACE);
    case S::Ninguno:
      break;
  }
  return RGB(color.r, color.g, color.b);
}

void registrarPanel(HINSTANCE instancia) {
  WNDCLASSW clase = {};
  clase.lpfnWndProc = procedimiento;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.lpszClassName = kClasePanel;
  RegisterClassW(&clase);
}

HWND crearPanel(HWND dialogo, const ui::Panel& p, int id) {
  HWND panel = CreateWindowExW(
      WS_EX_CONTROLPARENT, kClasePanel, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, p.caja.x,
      p.caja.y, p.caja.ancho, p.caja.alto, dialogo,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialogo, GWLP_HINSTANCE)), nullptr);
  SetWindowLongPtrW(panel, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(
                        new Colores{colorWin(p.inicio), colorWin(p.medio), colorWin(p.fin)}));
  return panel;
}

}  // namespace win32
