#include "ayuda/ContextosChm.h"

#include <algorithm>
#include <cctype>

#include "ayuda/TextoChm.h"

namespace ayuda {
namespace {

std::uint32_t doble(std::string_view d, std::size_t en) {
  std::uint32_t v = 0;
  for (std::size_t k = 0; k < 4; ++k)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(d[en + k])) << (8 * k);
  return v;
}

bool mismaRuta(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::vector<std::pair<std::uint32_t, std::string>> leerContextos(std::string_view ivb,
                                                                 std::string_view strings) {
  std::vector<std::pair<std::uint32_t, std::string>> contextos;
  if (ivb.size() < 4) return contextos;
  const std::size_t fin = std::min<std::size_t>(4 + std::size_t{doble(ivb, 0)}, ivb.size());
  for (std::size_t en = 4; en + 8 <= fin; en += 8) {
    const std::uint32_t contexto = doble(ivb, en);
    const std::uint32_t desplazamiento = doble(ivb, en + 4);
    if (desplazamiento >= strings.size()) continue;
    const std::string_view resto = strings.substr(desplazamiento);
    contextos.emplace_back(contexto, std::string(resto.substr(0, resto.find('\0'))));
  }
  return contextos;
}

std::string archivoDelAlias(std::string_view nombre, const std::vector<std::string>& archivos) {
  std::string ancla;
  if (const std::size_t almohadilla = nombre.find('#'); almohadilla != std::string_view::npos) {
    ancla = std::string(nombre.substr(almohadilla));
    nombre = nombre.substr(0, almohadilla);
  }
  // A drive letter is no folder of the help file.
  if (nombre.size() >= 2 && nombre[1] == ':') nombre.remove_prefix(2);
  const std::string ruta = rutaInterna(nombre);
  if (ruta == "/") return {};
  // Each tail that starts at a folder boundary, longest first.
  for (std::size_t desde = 0; desde != std::string::npos; desde = ruta.find('/', desde + 1)) {
    const std::string_view cola = std::string_view(ruta).substr(desde);
    for (const std::string& archivo : archivos)
      if (mismaRuta(archivo, cola)) return archivo + ancla;
  }
  return {};
}

}  // namespace ayuda
