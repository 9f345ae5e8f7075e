#include "ui/AnchoColumna.h"

#include <algorithm>

namespace ui {

int anchoColumna(const MedidasColumna& m) {
  const int celdas = m.caracteres * m.anchoCaracter + 2 * m.margenTexto + 1;
  return std::max(celdas, m.palabraTitulo);
}

std::vector<std::string_view> palabrasTitulo(std::string_view titulo) {
  constexpr std::string_view kBlancos = " \t\n\v\f\r";
  std::vector<std::string_view> palabras;
  std::size_t inicio = titulo.find_first_not_of(kBlancos);
  while (inicio != std::string_view::npos) {
    std::size_t fin = titulo.find_first_of(kBlancos, inicio);
    if (fin == std::string_view::npos) fin = titulo.size();
    palabras.push_back(titulo.substr(inicio, fin - inicio));
    inicio = titulo.find_first_not_of(kBlancos, fin);
  }
  return palabras;
}

}  // namespace ui
