#include "procesos/TextoAviso.h"

namespace procesos {

std::string conPuntoFinal(const std::string& texto) {
  return !texto.empty() && texto.back() == '.' ? texto : texto + '.';
}

std::string conSaltosDeLinea(const std::string& texto) {
  std::string out;
  out.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    const char pareja = c == '\r' ? '\n' : '\r';
    if (i + 1 < texto.size() && texto[i + 1] == pareja) ++i;
  }
  return out;
}

}  // namespace procesos
