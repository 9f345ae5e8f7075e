#include "ui/TeclasRejilla.h"

namespace ui {
namespace {

// The cell next to the current one, forwards or backwards, wrapping to the next or
// previous row; false at the grid's last (or first) cell.
bool celdaVecina(const PulsacionRejilla& p, bool atras, int& fila, int& columna) {
  fila = p.fila;
  columna = p.columna + (atras ? -1 : 1);
  if (columna >= p.columnas) {
    ++fila;
    columna = 0;
  } else if (columna < 0) {
    --fila;
    columna = p.columnas - 1;
  }
  return fila >= 0 && fila < p.filas;
}

}  // namespace

RespuestaTecla teclaEnRejilla(const PulsacionRejilla& p) {
  switch (p.tecla) {
    case TeclaRejilla::Escape:
      if (p.editorAbierto) return {AccionRejilla::CerrarEditor};
      if (p.editando) return {AccionRejilla::CancelarRegistro};
      return {AccionRejilla::Ninguna};

    case TeclaRejilla::Tab:
      if (p.control)
        return {p.mayusculas ? AccionRejilla::ControlAnterior : AccionRejilla::ControlSiguiente};
      [[fallthrough]];
    case TeclaRejilla::Enter: {
      const bool sinCeldas = p.filas <= 0 || p.columnas <= 0;
      int fila = 0, columna = 0;
      if (!sinCeldas && celdaVecina(p, p.mayusculas, fila, columna))
        return {AccionRejilla::IrACelda, fila, columna};
      if (p.tecla == TeclaRejilla::Tab)
        return {p.mayusculas ? AccionRejilla::ControlAnterior : AccionRejilla::ControlSiguiente};
      // Enter at the end: the editor's value is handed over, the cell stays.
      if (sinCeldas) return {AccionRejilla::Ninguna};
      return {AccionRejilla::IrACelda, p.fila, p.columna};
    }

    case TeclaRejilla::Otra:
      break;
  }
  return {AccionRejilla::NoEsDeLaRejilla};
}

}  // namespace ui
