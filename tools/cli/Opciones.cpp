#include "tools/cli/Opciones.h"

#include <algorithm>
#include <stdexcept>

#include "dbf/Table.h"
#include "gescen/Catalogo.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

Opciones::Opciones(const std::vector<std::string>& args, const std::vector<std::string>& conocidas,
                   const std::vector<std::string>& repetibles,
                   const std::vector<std::string>& interruptores) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& nombre = args[i];
    if (std::find(interruptores.begin(), interruptores.end(), nombre) != interruptores.end()) {
      valores_[nombre].push_back({});
      continue;
    }
    bool conocida = std::find(conocidas.begin(), conocidas.end(), nombre) != conocidas.end();
    bool repetible = std::find(repetibles.begin(), repetibles.end(), nombre) != repetibles.end();
    if ((!conocida && !repetible) || i + 1 >= args.size() || (conocida && valores_.count(nombre))) {
      valida_ = false;
      return;
    }
    valores_[nombre].push_back(args[++i]);
  }
}

std::string Opciones::valor(const std::string& nombre, const std::string& porDefecto) const {
  auto it = valores_.find(nombre);
  return it == valores_.end() ? porDefecto : it->second.front();
}

const std::vector<std::string>& Opciones::todos(const std::string& nombre) const {
  static const std::vector<std::string> ninguno;
  auto it = valores_.find(nombre);
  return it == valores_.end() ? ninguno : it->second;
}

void prepararCarpetaGC(const std::string& carpeta) {
  if (!plat::folderExists(plat::toNative(carpeta)))
    throw std::runtime_error("No se encuentra la carpeta de datos de GESCEN " + carpeta);
}

std::string primerCentro(gescen::Catalogo& tablas) {
  dbf::Table& centro = tablas.wwTableCentro;
  centro.open();
  std::string codigo = centro.eof() ? std::string() : centro.asString("CODCEN");
  centro.close();
  return codigo;
}

long contarRegistros(const std::string& ruta) { return dbf::countRecords(ruta); }
