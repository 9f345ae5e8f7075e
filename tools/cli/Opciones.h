#pragma once
// Options of the form --name value, each allowed once, and a few helpers shared by the
// commands.
#include <map>
#include <string>
#include <vector>

class Opciones {
 public:
  Opciones(const std::vector<std::string>& args, const std::vector<std::string>& conocidas,
           const std::vector<std::string>& repetibles = {});
  bool valida() const { return valida_; }
  std::string valor(const std::string& nombre, const std::string& porDefecto) const;
  const std::vector<std::string>& todos(const std::string& nombre) const;

 private:
  bool valida_ = true;
  std::map<std::string, std::vector<std::string>> valores_;
};

// Throws when the GESCEN folder does not exist.
void prepararCarpetaGC(const std::string& carpeta);
// Records of a table, deleted ones left out.
long contarRegistros(const std::string& ruta);
