#pragma once
// The data grid on Windows, drawn by the control itself: the dataset's rows in the
// columns its layout names. Titles bold, up to two lines, on #FEE4A9; cells on #F0FBFF
// with every other row on #CFD9FE; a narrow indicator column marks the current record
// (an arrow, or a bar while it is edited); the current cell is highlighted. A horizontal
// scroll bar always, a vertical one when the rows do not fit. Rows are never added or
// removed. Enter, Tab and Escape do what ui/TeclasRejilla says.
//
// Typing opens an editor over the current cell (an Edit control); its text goes into
// the field when the user ends it (Enter, Tab, an arrow, another row, the focus leaving
// the grid, the navigator's post). A value the field does not take is refused with the
// error box: the editor stays open with the text, on the same record.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/ConjuntoDatos.h"
#include "ui/Disposicion.h"

namespace win32 {

inline constexpr const wchar_t* kClaseRejilla = L"TzvRejilla";

class Rejilla {
 public:
  struct Eventos {
    std::function<void()> entrada;  // the grid takes the focus
    std::function<void()> salida;   // the focus goes to another control of the dialog
    std::function<void(const std::string&)> error;
  };

  static void registrar(HINSTANCE instancia);
  // The grid's window; the object lives as long as it.
  static HWND crear(HWND padre, const ui::Control& control, int id, ui::ConjuntoDatos& datos,
                    Eventos eventos);
  static Rejilla* de(HWND ventana);

  // The dataset changed: what is shown follows it.
  void actualizar();
  // The editor's changes are dropped (the dataset cancelled the record's changes).
  void descartarEditor();
  // Hands over what the open editor holds: true when none is open or the value was
  // taken; false when it was refused (the editor stays open, the error shown).
  bool confirmarEditor();

  HWND editor() const { return editor_; }
  int filaActual() const { return datos_.filaActual(); }
  int columnaActual() const { return columna_; }
  // Width in pixels of a column of that many characters with that title.
  int anchoColumna(int caracteres, const std::string& titulo) const;

 private:
  Rejilla(HWND ventana, ui::ConjuntoDatos& datos, Eventos eventos, HFONT fuente);
  static LRESULT CALLBACK procedimiento(HWND h, UINT m, WPARAM w, LPARAM l);
  static LRESULT CALLBACK procedimientoEditor(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id,
                                              DWORD_PTR dato);
  LRESULT atender(UINT m, WPARAM w, LPARAM l);
  bool atenderTecla(WPARAM tecla);
  bool teclaEditor(WPARAM tecla);

  void medir();
  void pintar(HDC dc);
  void desplazar();
  RECT cajaCelda(int fila, int columna) const;
  int filasVisibles() const;
  bool celdaEn(POINT p, int& fila, int& columna) const;
  void abrirEditor(const std::wstring* texto);
  void cerrarEditor();
  void ir(int fila, int columna);
  void pasarFoco(bool atras);
  void alPerderFoco(HWND nuevo);
  template <class Paso>
  bool protegido(Paso&& paso);

  HWND ventana_;
  ui::ConjuntoDatos& datos_;
  Eventos eventos_;
  HFONT fuente_, negrita_;
  std::vector<int> anchos_;
  int altoFila_ = 17, altoTitulos_ = 30, anchoCaracter_ = 7;
  int columna_ = 0;
  int primeraFila_ = 0;
  int desplazamientoX_ = 0;
  HWND editor_ = nullptr;
  int filaEditor_ = -1, columnaEditor_ = -1;
  bool conFoco_ = false;
  bool confirmando_ = false;
};

}  // namespace win32
