#include "ayuda/TextoChm.h"

#include <vector>

#include "dbf/CodePage.h"

namespace ayuda {
namespace {

// Whether the bytes are well-formed UTF-8: no stray continuation byte, no sequence cut
// short, no overlong form.
bool esUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t largo = 0;
    if (c < 0x80)
      largo = 1;
    else if (c >= 0xC2 && c <= 0xDF)
      largo = 2;
    else if (c >= 0xE0 && c <= 0xEF)
      largo = 3;
    else if (c >= 0xF0 && c <= 0xF4)
      largo = 4;
    else
      return false;
    if (i + largo > s.size()) return false;
    for (std::size_t k = 1; k < largo; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    const auto c1 = largo > 1 ? static_cast<unsigned char>(s[i + 1]) : 0;
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 > 0x8F))
      return false;
    i += largo;
  }
  return true;
}

}  // namespace

std::string textoUtf8(std::string_view bytes) {
  if (esUtf8(bytes)) return std::string(bytes);
  return dbf::decode(dbf::CodePage::Cp1252, bytes);
}

std::string rutaInterna(std::string_view ruta) {
  std::vector<std::string> partes;
  std::string parte;
  auto cerrar = [&] {
    if (parte == "..") {
      if (!partes.empty()) partes.pop_back();
    } else if (!parte.empty() && parte != ".") {
      partes.push_back(parte);
    }
    parte.clear();
  };
  for (char c : ruta) {
    if (c == '/' || c == '\\')
      cerrar();
    else
      parte += c;
  }
  cerrar();
  std::string salida;
  for (const std::string& p : partes) salida += '/' + p;
  return salida.empty() ? "/" : salida;
}

std::string carpetaDe(std::string_view ruta) {
  const std::size_t barra = ruta.rfind('/');
  if (barra == std::string_view::npos) return "/";
  return std::string(ruta.substr(0, barra + 1));
}

}  // namespace ayuda
