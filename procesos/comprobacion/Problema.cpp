#include "procesos/comprobacion/Problema.h"

#include <algorithm>
#include <cstdio>

namespace procesos {
namespace {

std::string cadenaJson(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

std::string enTexto(const Problema& p) {
  std::string linea = p.tabla;
  linea += p.registro == 0 ? " | tabla" : " | registro " + std::to_string(p.registro);
  linea += " | " + (p.clave.empty() ? std::string("-") : p.clave);
  linea += " | " + (p.campo.empty() ? std::string("-") : p.campo);
  linea += " | " + (p.campo.empty() ? std::string("-") : "\"" + p.valor + "\"");
  linea += " | " + p.efecto + " | " + p.consejo;
  return linea;
}

std::string enJson(const std::vector<Problema>& problemas) {
  std::string out = "[";
  for (std::size_t i = 0; i < problemas.size(); ++i) {
    const Problema& p = problemas[i];
    out += i == 0 ? "\n" : ",\n";
    out +=
        "  {\"tabla\": " + cadenaJson(p.tabla) + ", \"registro\": " + std::to_string(p.registro) +
        ", \"clave\": " + cadenaJson(p.clave) + ", \"campo\": " + cadenaJson(p.campo) +
        ", \"valor\": " + cadenaJson(p.valor) + ", \"detiene\": " + (p.detiene ? "true" : "false") +
        ", \"efecto\": " + cadenaJson(p.efecto) + ", \"consejo\": " + cadenaJson(p.consejo) + "}";
  }
  return out + (problemas.empty() ? "]\n" : "\n]\n");
}

bool algunoDetiene(const std::vector<Problema>& problemas) {
  return std::any_of(problemas.begin(), problemas.end(),
                     [](const Problema& p) { return p.detiene; });
}

bool yaDicho(const Problema& p, const std::string& error) {
  // The effect says what stops and then the run's own text, perhaps with a remark.
  const std::size_t dos = p.efecto.find(": ");
  if (!p.detiene || dos == std::string::npos) return false;
  const std::string propio = p.efecto.substr(dos + 2, p.efecto.find(" (", dos) - dos - 2);
  return !propio.empty() && error.starts_with(propio);
}

std::string listaProblemas(const std::vector<Problema>& problemas, std::size_t lineas) {
  std::string texto =
      problemas.size() == 1
          ? std::string("Los datos de GESCEN tienen este problema:\n")
          : "Los datos de GESCEN tienen " + std::to_string(problemas.size()) + " problemas:\n";
  for (std::size_t i = 0; i < problemas.size() && i < lineas; ++i)
    texto += "\n" + enTexto(problemas[i]);
  if (problemas.size() > lineas)
    texto += "\n\n... y " + std::to_string(problemas.size() - lineas) +
             " más. La orden «transzorvex-cli comprobar» los muestra todos.";
  return texto;
}

}  // namespace procesos
