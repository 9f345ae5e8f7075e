#pragma once
// What the keys that end or cross a cell's editing do in the data grids of both front
// ends. Each view turns its native key event into a PulsacionRejilla, asks
// TeclaEnRejilla and carries out the answer with its editor and the dataset.
//
// The rule, as in a classic data grid over a table:
// - Enter (either key) goes to the next cell, the first of the next row after the
//   last column; Shift+Enter goes the other way. At the grid's first or last cell it
//   stays there. Moving to another row stores the record left (the dataset's rule).
// - Tab and Shift+Tab move as Enter and Shift+Enter, but from the grid's last (or
//   first) cell the focus goes on to the next (or previous) control of the window, so
//   that the keyboard can always leave the grid; Ctrl+Tab and Ctrl+Shift+Tab leave it
//   from any cell. Leaving the grid stores the record being edited.
// - Escape with a cell's editor open closes the editor unread: the cell shows its
//   field's value again, and the record keeps the changes of its other cells. Escape
//   with no editor open drops the changes of the record being edited (the navigator's
//   cancel); when no record is being edited it does nothing. It never closes the dialog.
// Whatever moves first hands over the value in the editor; when the field refuses it,
// the move does not happen and the editor stays open.

namespace ui {

enum class TeclaRejilla { Enter, Tab, Escape, Otra };

struct PulsacionRejilla {
  TeclaRejilla tecla = TeclaRejilla::Otra;
  bool mayusculas = false;     // Shift held down (Backtab counts as Shift+Tab)
  bool control = false;        // Ctrl held down
  bool editorAbierto = false;  // a cell's editor is open
  bool editando = false;       // the current record is being edited
  int fila = 0;                // the current cell
  int columna = 0;
  int filas = 0;  // the grid's size
  int columnas = 0;
};

enum class AccionRejilla {
  NoEsDeLaRejilla,   // not a key of this rule: the view does what it does with any key
  Ninguna,           // the key is taken and does nothing
  CerrarEditor,      // the editor closes without handing its text over
  CancelarRegistro,  // the record's changes are dropped (ConjuntoDatos::cancelar)
  IrACelda,          // the editor's value is handed over, then (fila, columna) is current
  ControlSiguiente,  // the editor's value is handed over, then the focus goes on
  ControlAnterior,   // ... or back, to another control of the window
};

struct RespuestaTecla {
  AccionRejilla accion = AccionRejilla::NoEsDeLaRejilla;
  int fila = 0;  // the cell of IrACelda
  int columna = 0;
};

RespuestaTecla teclaEnRejilla(const PulsacionRejilla& p);

}  // namespace ui
