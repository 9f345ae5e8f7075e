#include "gescen/CodigoGrupo.h"

#include "gescen/Texto.h"

namespace gescen {

CodigoGrupo trocearGrupo(const std::string& codgrup) {
  return {subcadena(codgrup, 1, 1), subcadena(codgrup, 2, 3), ultimoCaracter(codgrup)};
}

std::string CodigoGrupo::abreviatura() const {
  return subcadena(nivel, 1, 1) + subcadena(nivel, 3, 1) + curso + grupo;
}

}  // namespace gescen
