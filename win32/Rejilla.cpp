#include "win32/Rejilla.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/AnchoColumna.h"
#include "ui/AspectoRejilla.h"
#include "ui/TeclasRejilla.h"
#include "win32/Controles.h"
#include "win32/Panel.h"
#include "win32/Texto.h"

namespace win32 {
namespace {

constexpr int kIndicador = 11;  // width of the indicator column
constexpr int kMargen = 2;      // pixels the cells leave on each side of their text
const COLORREF kTitulos = colorWin(ui::rejilla::kTitulos);
const COLORREF kCeldas = colorWin(ui::rejilla::kCeldas);
const COLORREF kAlternas = colorWin(ui::rejilla::kAlternas);
const COLORREF kLineas = colorWin(ui::rejilla::kLineas);

void rellenar(HDC dc, const RECT& r, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void marco(HDC dc, const RECT& r) {
  HPEN lapiz = CreatePen(PS_SOLID, 1, kLineas);
  HGDIOBJ antes = SelectObject(dc, lapiz);
  MoveToEx(dc, r.right - 1, r.top, nullptr);
  LineTo(dc, r.right - 1, r.bottom - 1);
  LineTo(dc, r.left - 1, r.bottom - 1);
  SelectObject(dc, antes);
  DeleteObject(lapiz);
}

// The key of the grid's rule that a virtual key is.
ui::TeclaRejilla teclaDe(WPARAM tecla) {
  switch (tecla) {
    case VK_RETURN:
      return ui::TeclaRejilla::Enter;
    case VK_TAB:
      return ui::TeclaRejilla::Tab;
    case VK_ESCAPE:
      return ui::TeclaRejilla::Escape;
    default:
      return ui::TeclaRejilla::Otra;
  }
}

// WM_GETDLGCODE's message, when it comes with one, is a key of the grid's rule, which
// the dialog must leave to the grid.
bool esTeclaDeRejilla(LPARAM l) {
  const MSG* msg = reinterpret_cast<const MSG*>(l);
  return msg != nullptr && msg->message == WM_KEYDOWN &&
         teclaDe(msg->wParam) != ui::TeclaRejilla::Otra;
}

SIZE medida(HDC dc, const std::wstring& texto) {
  SIZE s = {0, 0};
  GetTextExtentPoint32W(dc, texto.c_str(), static_cast<int>(texto.size()), &s);
  return s;
}

}  // namespace

void Rejilla::registrar(HINSTANCE instancia) {
  WNDCLASSW clase = {};
  clase.style = CS_DBLCLKS;
  clase.lpfnWndProc = procedimiento;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.lpszClassName = kClaseRejilla;
  RegisterClassW(&clase);
}

HWND Rejilla::crear(HWND padre, const ui::Control& c, int id, ui::ConjuntoDatos& datos,
                    Eventos eventos) {
  HWND h = CreateWindowExW(
      WS_EX_CLIENTEDGE, kClaseRejilla, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, c.caja.x,
      c.caja.y, c.caja.ancho, c.caja.alto, padre, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(padre, GWLP_HINSTANCE)), nullptr);
  auto* r = new Rejilla(h, datos, std::move(eventos), fuente(c.fuente));
  SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
  r->medir();
  r->actualizar();
  return h;
}

Rejilla* Rejilla::de(HWND ventana) {
  return reinterpret_cast<Rejilla*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
}

Rejilla::Rejilla(HWND ventana, ui::ConjuntoDatos& datos, Eventos eventos, HFONT fuente)
    : ventana_(ventana), datos_(datos), eventos_(std::move(eventos)), fuente_(fuente) {
  LOGFONTW f = {};
  GetObjectW(fuente_, sizeof f, &f);
  f.lfWeight = FW_BOLD;
  negrita_ = CreateFontIndirectW(&f);
  // The dataset asks the grid for its editor's value before every move and post.
  datos_.volcado = [this] { return confirmarEditor(); };
}

// Row height, title height and the columns' widths from the fonts.
void Rejilla::medir() {
  HDC dc = GetDC(ventana_);
  HGDIOBJ antes = SelectObject(dc, fuente_);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  altoFila_ = tm.tmHeight + 4;
  // Digits are the widest of the characters most fields hold (numbers, codes, times).
  anchoCaracter_ = std::max<int>(medida(dc, L"0").cx, tm.tmAveCharWidth);
  SelectObject(dc, negrita_);
  GetTextMetricsW(dc, &tm);
  altoTitulos_ = 2 * tm.tmHeight + 4;
  SelectObject(dc, antes);
  ReleaseDC(ventana_, dc);
  anchos_.clear();
  for (const ui::ColumnaDatos& c : datos_.columnas())
    anchos_.push_back(anchoColumna(c.caracteres, c.titulo));
}

int Rejilla::anchoColumna(int caracteres, const std::string& titulo) const {
  HDC dc = GetDC(ventana_);
  HGDIOBJ antes = SelectObject(dc, negrita_);
  const int palabra = ui::anchoPalabraMasLarga(
      titulo, [dc](std::string_view p) { return static_cast<int>(medida(dc, ancho(p)).cx); });
  SelectObject(dc, antes);
  ReleaseDC(ventana_, dc);
  // A title's word has the cells' margins and the grid line too.
  return ui::anchoColumna({caracteres, anchoCaracter_, kMargen, palabra + 2 * kMargen + 1});
}

int Rejilla::filasVisibles() const {
  RECT r;
  GetClientRect(ventana_, &r);
  return std::max(1, (static_cast<int>(r.bottom) - altoTitulos_) / altoFila_);
}

RECT Rejilla::cajaCelda(int fila, int columna) const {
  int x = kIndicador - desplazamientoX_;
  for (int i = 0; i < columna; ++i) x += anchos_[static_cast<std::size_t>(i)];
  const int y = altoTitulos_ + (fila - primeraFila_) * altoFila_;
  return {x, y, x + anchos_[static_cast<std::size_t>(columna)], y + altoFila_};
}

bool Rejilla::celdaEn(POINT p, int& fila, int& columna) const {
  if (p.y < altoTitulos_ || p.x < kIndicador) return false;
  fila = primeraFila_ + (p.y - altoTitulos_) / altoFila_;
  if (fila >= datos_.filas()) return false;
  for (columna = 0; columna < static_cast<int>(anchos_.size()); ++columna) {
    const RECT r = cajaCelda(fila, columna);
    if (p.x >= r.left && p.x < r.right) return true;
  }
  return false;
}

// The scroll bars, and the current row kept in sight.
void Rejilla::desplazar() {
  const int visibles = filasVisibles();
  const int actual = datos_.filaActual();
  if (actual >= 0) {
    if (actual < primeraFila_) primeraFila_ = actual;
    if (actual >= primeraFila_ + visibles) primeraFila_ = actual - visibles + 1;
  }
  primeraFila_ = std::clamp(primeraFila_, 0, std::max(0, datos_.filas() - visibles));
  SCROLLINFO v = {sizeof v,
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(0, datos_.filas() - 1),
                  static_cast<UINT>(visibles),
                  primeraFila_,
                  0};
  SetScrollInfo(ventana_, SB_VERT, &v, TRUE);
  RECT r;
  GetClientRect(ventana_, &r);
  int total = kIndicador;
  for (int a : anchos_) total += a;
  desplazamientoX_ =
      std::clamp(desplazamientoX_, 0, std::max(0, total - static_cast<int>(r.right)));
  SCROLLINFO h = {sizeof h,
                  SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                  0,
                  total - 1,
                  static_cast<UINT>(r.right),
                  desplazamientoX_,
                  0};
  SetScrollInfo(ventana_, SB_HORZ, &h, TRUE);
}

void Rejilla::actualizar() {
  if (anchos_.size() != datos_.columnas().size()) medir();
  columna_ = std::clamp(columna_, 0, std::max(0, static_cast<int>(anchos_.size()) - 1));
  desplazar();
  if (editor_ != nullptr && filaEditor_ != datos_.filaActual()) cerrarEditor();
  InvalidateRect(ventana_, nullptr, FALSE);
}

void Rejilla::pintar(HDC dc) {
  RECT cliente;
  GetClientRect(ventana_, &cliente);
  SetBkMode(dc, OPAQUE);
  // Titles, bold and up to two lines, on their colour.
  HGDIOBJ antes = SelectObject(dc, negrita_);
  rellenar(dc, {0, 0, cliente.right, altoTitulos_}, kTitulos);
  SetTextColor(dc, RGB(0, 0, 0));
  for (int c = 0; c < static_cast<int>(anchos_.size()); ++c) {
    RECT r = cajaCelda(primeraFila_, c);
    r.top = 0;
    r.bottom = altoTitulos_;
    marco(dc, r);
    RECT texto = {r.left + kMargen, r.top + 2, r.right - kMargen - 1, r.bottom - 2};
    const std::wstring t = ancho(datos_.columnas()[static_cast<std::size_t>(c)].titulo);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &texto,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  }
  marco(dc, {0, 0, kIndicador, altoTitulos_});
  // Cells, every other row on the second colour, the current cell highlighted.
  SelectObject(dc, fuente_);
  const int ultima = std::min(datos_.filas(), primeraFila_ + filasVisibles() + 1);
  for (int f = primeraFila_; f < ultima; ++f) {
    const bool actual = f == datos_.filaActual();
    RECT ind = {0, cajaCelda(f, 0).top, kIndicador, cajaCelda(f, 0).bottom};
    rellenar(dc, ind, GetSysColor(COLOR_BTNFACE));
    marco(dc, ind);
    if (actual) {
      // An arrow for the current record; a bar while it is being edited.
      HBRUSH negro = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
      const int my = (ind.top + ind.bottom) / 2;
      if (datos_.editando()) {
        RECT barra = {3, ind.top + 3, 5, ind.bottom - 3};
        FillRect(dc, &barra, negro);
      } else {
        const POINT flecha[] = {{3, my - 4}, {7, my}, {3, my + 4}};
        HGDIOBJ b = SelectObject(dc, negro);
        Polygon(dc, flecha, 3);
        SelectObject(dc, b);
      }
    }
    for (int c = 0; c < static_cast<int>(anchos_.size()); ++c) {
      const RECT r = cajaCelda(f, c);
      const bool resaltada = actual && c == columna_;
      rellenar(dc, r, resaltada ? GetSysColor(COLOR_HIGHLIGHT) : (f % 2 ? kAlternas : kCeldas));
      marco(dc, r);
      SetTextColor(dc, GetSysColor(resaltada ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      SetBkMode(dc, TRANSPARENT);
      RECT texto = {r.left + kMargen, r.top, r.right - kMargen - 1, r.bottom - 1};
      const std::wstring t = ancho(datos_.valor(f, c));
      // Numbers to the right, as number fields show them.
      const UINT alineacion = datos_.tipo(c) == ui::TipoCampo::Texto ? DT_LEFT : DT_RIGHT;
      DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &texto,
                alineacion | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
  // What lies below the last row and right of the last column.
  const int fondo = altoTitulos_ + (ultima - primeraFila_) * altoFila_;
  rellenar(dc, {0, fondo, cliente.right, cliente.bottom}, GetSysColor(COLOR_APPWORKSPACE));
  if (!anchos_.empty()) {
    const int derecha = cajaCelda(primeraFila_, static_cast<int>(anchos_.size()) - 1).right;
    rellenar(dc, {derecha, altoTitulos_, cliente.right, fondo}, GetSysColor(COLOR_APPWORKSPACE));
  }
  SelectObject(dc, antes);
}

// Runs a step of the dataset; an error reaches the error box and the step counts as
// not done.
template <class Paso>
bool Rejilla::protegido(Paso&& paso) {
  try {
    return paso();
  } catch (const std::exception& e) {
    if (eventos_.error) eventos_.error(e.what());
    return false;
  }
}

void Rejilla::ir(int fila, int columna) {
  if (datos_.filas() == 0) return;
  const int antes = columna_;
  columna_ = std::clamp(columna, 0, static_cast<int>(anchos_.size()) - 1);
  if (fila != datos_.filaActual() && !protegido([&] { return datos_.irAFila(fila); }))
    columna_ = antes;
  actualizar();
}

void Rejilla::abrirEditor(const std::wstring* texto) {
  const int fila = datos_.filaActual();
  if (fila < 0 || !datos_.editable(columna_)) return;
  if (editor_ == nullptr) {
    const RECT r = cajaCelda(fila, columna_);
    editor_ = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r.left + 1, r.top + 1,
        r.right - r.left - 2, r.bottom - r.top - 2, ventana_, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(ventana_, GWLP_HINSTANCE)), nullptr);
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(fuente_), FALSE);
    SendMessageW(editor_, EM_SETLIMITTEXT, 255, 0);
    SetWindowSubclass(editor_, procedimientoEditor, 1, reinterpret_cast<DWORD_PTR>(this));
    filaEditor_ = fila;
    columnaEditor_ = columna_;
    SetWindowTextW(editor_, ancho(datos_.valor(fila, columna_)).c_str());
    SendMessageW(editor_, EM_SETSEL, 0, -1);
    SendMessageW(editor_, EM_SETMODIFY, FALSE, 0);
  }
  SetFocus(editor_);
  if (texto != nullptr) {
    SetWindowTextW(editor_, texto->c_str());
    SendMessageW(editor_, EM_SETSEL, texto->size(), texto->size());
    SendMessageW(editor_, EM_SETMODIFY, TRUE, 0);
  }
}

void Rejilla::cerrarEditor() {
  if (editor_ == nullptr) return;
  HWND e = editor_;
  editor_ = nullptr;
  const bool teniaFoco = GetFocus() == e;
  DestroyWindow(e);
  if (teniaFoco) SetFocus(ventana_);
}

void Rejilla::descartarEditor() { cerrarEditor(); }

bool Rejilla::confirmarEditor() {
  if (editor_ == nullptr || confirmando_) return true;
  if (!SendMessageW(editor_, EM_GETMODIFY, 0, 0)) {
    cerrarEditor();
    return true;
  }
  confirmando_ = true;
  const std::string texto = textoDe(editor_);
  const bool tomado = datos_.escribir(filaEditor_, columnaEditor_, texto);
  confirmando_ = false;
  if (tomado) {
    cerrarEditor();
    InvalidateRect(ventana_, nullptr, FALSE);
    return true;
  }
  // Refused: the error, then the editor again with the text, on the same record. A
  // cell that takes nothing (no record, the table closed) just closes its editor.
  if (datos_.ultimoError().empty()) {
    cerrarEditor();
    return true;
  }
  if (eventos_.error) eventos_.error(datos_.ultimoError());
  if (editor_ != nullptr) {
    SetFocus(editor_);
    SendMessageW(editor_, EM_SETSEL, 0, -1);
  }
  InvalidateRect(ventana_, nullptr, FALSE);
  return false;
}

// The focus went from the grid (or its editor) to `nuevo`: another control of the
// dialog hands the grid's value over and ends its turn; another window, a box, does not.
void Rejilla::alPerderFoco(HWND nuevo) {
  if (nuevo == ventana_ || (nuevo != nullptr && nuevo == editor_)) return;
  if (nuevo == nullptr || GetAncestor(nuevo, GA_ROOT) != GetAncestor(ventana_, GA_ROOT)) return;
  if (!conFoco_) return;
  if (!confirmarEditor()) return;
  conFoco_ = false;
  if (eventos_.salida)
    protegido([&] {
      eventos_.salida();
      return true;
    });
}

// The grid's keys as ui::TeclaEnRejilla says; false for a key that is not one of them.
bool Rejilla::atenderTecla(WPARAM tecla) {
  ui::PulsacionRejilla p;
  p.tecla = teclaDe(tecla);
  if (p.tecla == ui::TeclaRejilla::Otra) return false;
  p.mayusculas = GetKeyState(VK_SHIFT) < 0;
  p.control = GetKeyState(VK_CONTROL) < 0;
  p.editorAbierto = editor_ != nullptr;
  p.editando = datos_.editando();
  p.fila = std::max(0, datos_.filaActual());
  p.columna = columna_;
  p.filas = datos_.filas();
  p.columnas = static_cast<int>(anchos_.size());

  const ui::RespuestaTecla r = ui::teclaEnRejilla(p);
  switch (r.accion) {
    case ui::AccionRejilla::NoEsDeLaRejilla:
      return false;
    case ui::AccionRejilla::Ninguna:
      break;
    case ui::AccionRejilla::CerrarEditor:
      cerrarEditor();
      InvalidateRect(ventana_, nullptr, FALSE);
      break;
    case ui::AccionRejilla::CancelarRegistro:
      protegido([&] {
        datos_.cancelar();
        return true;
      });
      break;
    case ui::AccionRejilla::IrACelda:
      if (confirmarEditor()) ir(r.fila, r.columna);
      break;
    case ui::AccionRejilla::ControlSiguiente:
    case ui::AccionRejilla::ControlAnterior:
      if (confirmarEditor()) pasarFoco(r.accion == ui::AccionRejilla::ControlAnterior);
      break;
  }
  return true;
}

// The focus to the next (or previous) control of the dialog, as Tab does between them.
void Rejilla::pasarFoco(bool atras) {
  HWND otro = GetNextDlgTabItem(GetAncestor(ventana_, GA_ROOT), ventana_, atras);
  if (otro != nullptr && otro != ventana_) SetFocus(otro);
}

bool Rejilla::teclaEditor(WPARAM tecla) {
  if (atenderTecla(tecla)) return true;
  switch (tecla) {
    case VK_UP:
    case VK_DOWN:
      if (confirmarEditor()) ir(datos_.filaActual() + (tecla == VK_UP ? -1 : 1), columna_);
      return true;
  }
  return false;
}

LRESULT CALLBACK Rejilla::procedimientoEditor(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR,
                                              DWORD_PTR dato) {
  auto* r = reinterpret_cast<Rejilla*>(dato);
  switch (m) {
    case WM_GETDLGCODE:
      // Enter, Tab and Escape belong to the grid, not to the dialog.
      if (esTeclaDeRejilla(l)) return DLGC_WANTALLKEYS;
      return DefSubclassProc(h, m, w, l) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (r->teclaEditor(w)) return 0;
      break;
    case WM_CHAR:
      // The characters of Enter, Tab and Escape, which the grid has acted on.
      if (w == '\r' || w == '\t' || w == 27) return 0;
      break;
    case WM_KILLFOCUS:
      r->alPerderFoco(reinterpret_cast<HWND>(w));
      break;
  }
  return DefSubclassProc(h, m, w, l);
}

LRESULT CALLBACK Rejilla::procedimiento(HWND h, UINT m, WPARAM w, LPARAM l) {
  Rejilla* r = de(h);
  if (r == nullptr) return DefWindowProcW(h, m, w, l);
  if (m == WM_NCDESTROY) {
    r->datos_.volcado = nullptr;
    DeleteObject(r->negrita_);
    delete r;
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    return DefWindowProcW(h, m, w, l);
  }
  return r->atender(m, w, l);
}

LRESULT Rejilla::atender(UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_GETDLGCODE:
      // Enter, Tab and Escape are the grid's (ui/TeclasRejilla).
      if (esTeclaDeRejilla(l)) return DLGC_WANTALLKEYS;
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(ventana_, &ps);
      pintar(dc);
      EndPaint(ventana_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      desplazar();
      return 0;
    case WM_SETFOCUS:
      if (!conFoco_) {
        conFoco_ = true;
        if (eventos_.entrada)
          protegido([&] {
            eventos_.entrada();
            return true;
          });
      }
      InvalidateRect(ventana_, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      alPerderFoco(reinterpret_cast<HWND>(w));
      InvalidateRect(ventana_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus(ventana_);
      int fila = 0, columna = 0;
      const POINT p = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      if (!celdaEn(p, fila, columna) || !confirmarEditor()) return 0;
      const bool misma = fila == datos_.filaActual() && columna == columna_;
      ir(fila, columna);
      if (misma || m == WM_LBUTTONDBLCLK) abrirEditor(nullptr);
      return 0;
    }
    case WM_KEYDOWN:
      switch (w) {
        case VK_UP:
        case VK_DOWN:
          ir(datos_.filaActual() + (w == VK_UP ? -1 : 1), columna_);
          return 0;
        case VK_PRIOR:
        case VK_NEXT:
          ir(datos_.filaActual() + (w == VK_PRIOR ? -1 : 1) * filasVisibles(), columna_);
          return 0;
        case VK_LEFT:
        case VK_RIGHT:
          ir(datos_.filaActual(), columna_ + (w == VK_LEFT ? -1 : 1));
          return 0;
        case VK_HOME:
        case VK_END:
          if (GetKeyState(VK_CONTROL) < 0)
            ir(w == VK_HOME ? 0 : datos_.filas() - 1, columna_);
          else
            ir(datos_.filaActual(), w == VK_HOME ? 0 : static_cast<int>(anchos_.size()) - 1);
          return 0;
        case VK_F2:
          abrirEditor(nullptr);
          return 0;
      }
      if (atenderTecla(w)) return 0;
      break;
    case WM_CHAR:
      if (w >= 32 && w != 127) {
        const std::wstring texto(1, static_cast<wchar_t>(w));
        abrirEditor(&texto);
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const int barra = m == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO s{};
      s.cbSize = sizeof s;
      s.fMask = SIF_ALL;
      GetScrollInfo(ventana_, barra, &s);
      int pos = s.nPos;
      const int paso = m == WM_VSCROLL ? 1 : anchoCaracter_ * 4;
      switch (LOWORD(w)) {
        case SB_LINEUP:
          pos -= paso;
          break;
        case SB_LINEDOWN:
          pos += paso;
          break;
        case SB_PAGEUP:
          pos -= static_cast<int>(s.nPage);
          break;
        case SB_PAGEDOWN:
          pos += static_cast<int>(s.nPage);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          pos = s.nTrackPos;
          break;
      }
      if (m == WM_VSCROLL)
        primeraFila_ = pos;
      else
        desplazamientoX_ = pos;
      if (editor_ != nullptr && !confirmarEditor()) return 0;
      const int actual = datos_.filaActual();
      const int visibles = filasVisibles();
      primeraFila_ = std::clamp(primeraFila_, 0, std::max(0, datos_.filas() - visibles));
      // Scrolling does not move the current record: keep it where it may be out of sight.
      const int guardada = primeraFila_;
      desplazar();
      if (m == WM_VSCROLL && (actual < guardada || actual >= guardada + visibles)) {
        primeraFila_ = guardada;
        SCROLLINFO v = {sizeof v, SIF_POS, 0, 0, 0, primeraFila_, 0};
        SetScrollInfo(ventana_, SB_VERT, &v, TRUE);
      }
      InvalidateRect(ventana_, nullptr, FALSE);
      return 0;
    }
  }
  return DefWindowProcW(ventana_, m, w, l);
}

}  // namespace win32
