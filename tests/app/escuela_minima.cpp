// escuela_minima CARPETA [CENTRO...]: writes the small test school into CARPETA, a
// Windows path under the drive mapping of $WINEPREFIX (C:\GC, for example).

#include <exception>
#include <iostream>

#include "tests/support/EscuelaMinima.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "uso: escuela_minima CARPETA [CENTRO...]\n";
    return 2;
  }
  std::vector<std::string> centros;
  for (int i = 2; i < argc; ++i) centros.emplace_back(argv[i]);
  if (centros.empty()) centros.emplace_back("46001234");
  try {
    prueba::escribirEscuela(argv[1], centros);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
