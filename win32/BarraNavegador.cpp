#include "win32/BarraNavegador.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "win32/Texto.h"

namespace win32 {
namespace {

using ui::BotonNavegador;

struct Estado {
  ui::ConjuntoDatos* datos;
  std::function<void(std::function<void()>)> alPulsar;
  int pulsado = -1;  // the button under the pressed mouse
  HWND pistas = nullptr;
};

Estado* estadoDe(HWND h) { return reinterpret_cast<Estado*>(GetWindowLongPtrW(h, GWLP_USERDATA)); }

RECT cajaBoton(HWND h, int i) {
  RECT r;
  GetClientRect(h, &r);
  // Equal buttons across the whole width; the pixels left over go one each to the
  // first buttons.
  const int ancho = r.right / ui::kBotonesNavegador;
  const int sobra = r.right - ancho * ui::kBotonesNavegador;
  const int x = i * ancho + std::min(i, sobra);
  return {x, 0, x + ancho + (i < sobra ? 1 : 0), r.bottom};
}

void poligono(HDC dc, std::initializer_list<POINT> puntos) {
  Polygon(dc, puntos.begin(), static_cast<int>(puntos.size()));
}

// A solid triangle 5 pixels wide and 9 high, pointing left or right.
void triangulo(HDC dc, int x, int y, bool derecha) {
  if (derecha)
    poligono(dc, {{x, y + 3}, {x + 4, y + 7}, {x, y + 11}});
  else
    poligono(dc, {{x + 4, y + 3}, {x, y + 7}, {x + 4, y + 11}});
}

void glifo(HDC dc, BotonNavegador b, int x, int y, bool activo) {
  const COLORREF tinta = activo ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
  HPEN lapiz = CreatePen(PS_SOLID, 1, tinta);
  HPEN grueso = CreatePen(PS_SOLID, 2, tinta);
  HBRUSH relleno = CreateSolidBrush(tinta);
  HGDIOBJ lapizAntes = SelectObject(dc, lapiz);
  HGDIOBJ rellenoAntes = SelectObject(dc, relleno);
  auto barra = [&](int bx) {
    RECT r = {x + bx, y + 3, x + bx + 2, y + 12};
    FillRect(dc, &r, relleno);
  };
  auto linea = [&](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x + x0, y + y0, nullptr);
    LineTo(dc, x + x1, y + y1);
  };
  switch (b) {
    case BotonNavegador::First:
      barra(4);
      triangulo(dc, x + 7, y, false);
      break;
    case BotonNavegador::PriorPage:
      triangulo(dc, x + 2, y, false);
      triangulo(dc, x + 8, y, false);
      break;
    case BotonNavegador::Prior:
      triangulo(dc, x + 5, y, false);
      break;
    case BotonNavegador::Next:
      triangulo(dc, x + 6, y, true);
      break;
    case BotonNavegador::NextPage:
      triangulo(dc, x + 3, y, true);
      triangulo(dc, x + 9, y, true);
      break;
    case BotonNavegador::Last:
      triangulo(dc, x + 5, y, true);
      barra(10);
      break;
    case BotonNavegador::Edit:
      poligono(dc, {{x + 3, y + 10}, {x + 7, y + 6}, {x + 11, y + 10}});
      break;
    case BotonNavegador::Post:
      SelectObject(dc, grueso);
      linea(3, 8, 6, 11);
      linea(6, 11, 12, 4);
      break;
    case BotonNavegador::Cancel:
      SelectObject(dc, grueso);
      linea(4, 4, 11, 11);
      linea(11, 4, 4, 11);
      break;
    case BotonNavegador::Refresh:
      SelectObject(dc, grueso);
      Arc(dc, x + 3, y + 3, x + 13, y + 13, x + 8, y + 3, x + 13, y + 8);
      poligono(dc, {{x + 6, y + 1}, {x + 10, y + 4}, {x + 6, y + 7}});
      break;
  }
  SelectObject(dc, lapizAntes);
  SelectObject(dc, rellenoAntes);
  DeleteObject(lapiz);
  DeleteObject(grueso);
  DeleteObject(relleno);
}

void pintar(HWND h, HDC dc) {
  Estado* e = estadoDe(h);
  const auto habilitados = ui::botonesHabilitados(*e->datos);
  for (int i = 0; i < ui::kBotonesNavegador; ++i) {
    RECT r = cajaBoton(h, i);
    const bool hundido = e->pulsado == i;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (hundido ? DFCS_PUSHED : 0));
    const int x = (r.left + r.right) / 2 - 8 + (hundido ? 1 : 0);
    const int y = (r.top + r.bottom) / 2 - 8 + (hundido ? 1 : 0);
    glifo(dc, static_cast<BotonNavegador>(i), x, y, habilitados[static_cast<std::size_t>(i)]);
  }
}

int botonEn(HWND h, LPARAM l) {
  const POINT p = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
  for (int i = 0; i < ui::kBotonesNavegador; ++i) {
    const RECT r = cajaBoton(h, i);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

void ponerPistas(HWND h) {
  Estado* e = estadoDe(h);
  for (int i = 0; i < ui::kBotonesNavegador; ++i) {
    const std::wstring pista = ancho(ui::pistaBoton(static_cast<BotonNavegador>(i)));
    TOOLINFOW t = {};
    t.cbSize = sizeof t;
    t.uFlags = TTF_SUBCLASS;
    t.hwnd = h;
    t.uId = static_cast<UINT_PTR>(i);
    t.rect = cajaBoton(h, i);
    t.lpszText = const_cast<wchar_t*>(pista.c_str());
    SendMessageW(e->pistas, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&t));
    SendMessageW(e->pistas, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&t));
  }
}

LRESULT CALLBACK procedimiento(HWND h, UINT m, WPARAM w, LPARAM l) {
  Estado* e = estadoDe(h);
  switch (m) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      pintar(h, dc);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_SIZE:
      if (e != nullptr && e->pistas != nullptr) ponerPistas(h);
      return 0;
    case WM_LBUTTONDOWN: {
      const int i = botonEn(h, l);
      if (i >= 0 && ui::botonesHabilitados(*e->datos)[static_cast<std::size_t>(i)]) {
        e->pulsado = i;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      const int i = e->pulsado;
      e->pulsado = -1;
      ReleaseCapture();
      InvalidateRect(h, nullptr, FALSE);
      if (i >= 0 && botonEn(h, l) == i) {
        const auto boton = static_cast<BotonNavegador>(i);
        e->alPulsar([e, boton] { ui::pulsarBoton(*e->datos, boton); });
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    }
    case WM_NCDESTROY:
      delete e;
      break;
  }
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

void registrarNavegador(HINSTANCE instancia) {
  WNDCLASSW clase = {};
  clase.lpfnWndProc = procedimiento;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  clase.lpszClassName = kClaseNavegador;
  RegisterClassW(&clase);
}

HWND crearNavegador(HWND padre, const ui::Control& c, int id, ui::ConjuntoDatos& datos,
                    std::function<void(std::function<void()>)> alPulsar) {
  HINSTANCE instancia = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(padre, GWLP_HINSTANCE));
  HWND h = CreateWindowExW(0, kClaseNavegador, L"", WS_CHILD | WS_VISIBLE, c.caja.x, c.caja.y,
                           c.caja.ancho, c.caja.alto, padre,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instancia, nullptr);
  auto* e = new Estado{&datos, std::move(alPulsar)};
  SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(e));
  e->pistas = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, h,
                              nullptr, instancia, nullptr);
  ponerPistas(h);
  return h;
}

void actualizarNavegador(HWND navegador) { InvalidateRect(navegador, nullptr, FALSE); }

}  // namespace win32
