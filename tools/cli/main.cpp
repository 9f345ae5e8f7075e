// transzorvex-cli: the program's runs and table inspection from the command line.

#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Comandos.h"

namespace {

struct Comando {
  const char* nombre;
  int (*ejecutar)(const std::vector<std::string>&);
  const char* ayuda;
};

const Comando kComandos[] = {
    {"mostrar", comandoMostrar, "mostrar TABLA [--formato csv|json]        campos y registros de una tabla"},
    {"exportar", comandoExportar, "exportar [--gc CARPETA] [--idioma TEXTO]  tablas de intercambio para Zorvex"},
    {"importar", comandoImportar,
     "importar [--gc CARPETA] [--centro CODIGO] [--dni ABREV=NUMERO]...  horario de Zorvex hacia GESCEN"},
};

int uso() {
  std::cerr << "uso: transzorvex-cli ORDEN [argumentos]\n";
  for (const Comando& c : kComandos) std::cerr << "  " << c.ayuda << '\n';
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return uso();
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Comando& c : kComandos) {
    if (std::strcmp(argv[1], c.nombre) != 0) continue;
    try {
      return c.ejecutar(args);
    } catch (const std::exception& e) {
      std::cout.flush();
      std::cerr << e.what() << '\n';
      return 1;
    }
  }
  return uso();
}
