#pragma once
// Options of the form --name value, each allowed once, and a few helpers shared by the
// commands.
#include <map>
#include <string>
#include <vector>

class Opciones {
 public:
  // `interruptores` are options without a value (--importacion).
  Opciones(const std::vector<std::string>& args, const std::vector<std::string>& conocidas,
           const std::vector<std::string>& repetibles = {},
           const std::vector<std::string>& interruptores = {});
  bool valida() const { return valida_; }
  bool tiene(const std::string& nombre) const { return valores_.count(nombre) > 0; }
  std::string valor(const std::string& nombre, const std::string& porDefecto) const;
  const std::vector<std::string>& todos(const std::string& nombre) const;

 private:
  bool valida_ = true;
  std::map<std::string, std::vector<std::string>> valores_;
};

namespace gescen {
class Catalogo;
}

// Throws when the GESCEN folder does not exist.
void prepararCarpetaGC(const std::string& carpeta);
// The code of the centre table's first record, as the centre list shows it; empty when
// the table has none.
std::string primerCentro(gescen::Catalogo& tablas);
// Records of a table, deleted ones left out.
long contarRegistros(const std::string& ruta);
