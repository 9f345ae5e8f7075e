#include "ayuda/SistemaChm.h"

#include <cstdint>

#include "ayuda/TextoChm.h"

namespace ayuda {
namespace {

std::uint16_t palabra(std::string_view d, std::size_t en) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(d[en]) |
                                    static_cast<unsigned char>(d[en + 1]) << 8);
}

// The record's text up to its first zero byte.
std::string texto(std::string_view datos) { return std::string(datos.substr(0, datos.find('\0'))); }

}  // namespace

SistemaChm leerSistema(std::string_view d) {
  SistemaChm s;
  std::size_t en = 4;
  while (en + 4 <= d.size()) {
    const std::uint16_t codigo = palabra(d, en);
    const std::uint16_t largo = palabra(d, en + 2);
    en += 4;
    if (en + largo > d.size()) break;
    const std::string_view datos = d.substr(en, largo);
    en += largo;
    switch (codigo) {
      case 0:
        s.contenido = texto(datos);
        break;
      case 1:
        s.indice = texto(datos);
        break;
      case 2:
        s.temaInicial = texto(datos);
        break;
      case 3:
        s.titulo = textoUtf8(texto(datos));
        break;
      default:
        break;
    }
  }
  return s;
}

}  // namespace ayuda
