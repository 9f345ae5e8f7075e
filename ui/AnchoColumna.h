#pragma once
// The width of a data grid's column, from what each front end measures in its own
// fonts: as wide as its characters with the text's margins and the grid line, and
// never narrower than the title's longest word, so that no word of a title is cut.

#include <string_view>
#include <vector>

namespace ui {

struct MedidasColumna {
  int caracteres = 0;     // the characters the field holds
  int anchoCaracter = 0;  // the width of one character in the cells' font
  int margenTexto = 0;    // what a cell leaves on each side of its text
  int palabraTitulo = 0;  // the title's longest word as the title row draws it,
                          // its margins included
};

int anchoColumna(const MedidasColumna& m);

// The words of a column's title, split at blanks (spaces, tabs, line and page ends).
std::vector<std::string_view> palabrasTitulo(std::string_view titulo);

// The width of the title's widest word, measured by `medir` (a word to its pixels).
template <class Medir>
int anchoPalabraMasLarga(std::string_view titulo, Medir medir) {
  int ancho = 0;
  for (std::string_view palabra : palabrasTitulo(titulo)) {
    const int medida = medir(palabra);
    if (medida > ancho) ancho = medida;
  }
  return ancho;
}

}  // namespace ui
