#include "ui/LineaOrdenes.h"

namespace ui {

Sentido sentidoDe(const std::string& palabra) {
  std::string p = palabra;
  for (char& c : p)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (p == "importar") return Sentido::Importar;
  if (p == "exportar") return Sentido::Exportar;
  return Sentido::Otro;
}

ErrorConversion::ErrorConversion(const std::string& texto)
    : std::runtime_error("'" + texto + "' no es un valor entero válido") {}

std::uint32_t convertirEntero(const std::string& texto) {
  if (texto.size() < 2 || texto[0] != '$') throw ErrorConversion(texto);
  std::uint64_t valor = 0;
  for (std::size_t i = 1; i < texto.size(); ++i) {
    const char c = texto[i];
    int digito;
    if (c >= '0' && c <= '9')
      digito = c - '0';
    else if (c >= 'a' && c <= 'f')
      digito = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digito = c - 'A' + 10;
    else
      throw ErrorConversion(texto);
    valor = valor * 16 + static_cast<std::uint64_t>(digito);
    if (valor > 0xFFFFFFFFu) throw ErrorConversion(texto);
  }
  return static_cast<std::uint32_t>(valor);
}

}  // namespace ui
