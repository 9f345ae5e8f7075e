#include "ayuda/ContenidoHhc.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>

#include "ayuda/TextoChm.h"

namespace ayuda {
namespace {

std::string minusculas(std::string_view s) {
  std::string m(s);
  std::transform(m.begin(), m.end(), m.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return m;
}

void anadirUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The entities a contents file written in Spanish or Valencian uses, besides numbered ones.
const std::map<std::string, char32_t, std::less<>>& entidades() {
  static const std::map<std::string, char32_t, std::less<>> e = {
      {"amp", '&'},     {"lt", '<'},      {"gt", '>'},      {"quot", '"'},    {"apos", '\''},
      {"nbsp", 0xA0},   {"iexcl", 0xA1},  {"ordf", 0xAA},   {"laquo", 0xAB},  {"middot", 0xB7},
      {"ordm", 0xBA},   {"raquo", 0xBB},  {"iquest", 0xBF}, {"Agrave", 0xC0}, {"Aacute", 0xC1},
      {"Ccedil", 0xC7}, {"Egrave", 0xC8}, {"Eacute", 0xC9}, {"Iacute", 0xCD}, {"Iuml", 0xCF},
      {"Ntilde", 0xD1}, {"Ograve", 0xD2}, {"Oacute", 0xD3}, {"Uacute", 0xDA}, {"Uuml", 0xDC},
      {"agrave", 0xE0}, {"aacute", 0xE1}, {"ccedil", 0xE7}, {"egrave", 0xE8}, {"eacute", 0xE9},
      {"iacute", 0xED}, {"iuml", 0xEF},   {"ntilde", 0xF1}, {"ograve", 0xF2}, {"oacute", 0xF3},
      {"uacute", 0xFA}, {"uuml", 0xFC},   {"euro", 0x20AC},
  };
  return e;
}

// The text with its entities replaced; one not known stays as written.
std::string sinEntidades(std::string_view s) {
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t fin = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
    if (fin == std::string_view::npos || fin - i > 10) {
      out += s[i++];
      continue;
    }
    const std::string_view nombre = s.substr(i + 1, fin - i - 1);
    char32_t c = 0;
    if (nombre.size() > 1 && nombre[0] == '#') {
      const bool hex = nombre[1] == 'x' || nombre[1] == 'X';
      const std::string digitos(nombre.substr(hex ? 2 : 1));
      if (!digitos.empty() && digitos.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                            : "0123456789") == std::string::npos)
        c = static_cast<char32_t>(std::stoul(digitos, nullptr, hex ? 16 : 10));
      if (c > 0x10FFFF) c = 0;
    } else if (auto e = entidades().find(nombre); e != entidades().end()) {
      c = e->second;
    }
    if (c == 0) {
      out += s[i++];
      continue;
    }
    anadirUtf8(c, out);
    i = fin + 1;
  }
  return out;
}

struct Etiqueta {
  std::string nombre;                            // lower case, "/ul" for a closing tag
  std::map<std::string, std::string> atributos;  // names in lower case
};

// Reads the tag that starts at s[i] == '<' and leaves i after its '>'.
Etiqueta leerEtiqueta(std::string_view s, std::size_t& i) {
  Etiqueta e;
  ++i;
  auto espacio = [&] {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  };
  auto palabra = [&] {
    const std::size_t desde = i;
    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != '>' &&
           s[i] != '=' && !(s[i] == '/' && i > desde))
      ++i;
    return minusculas(s.substr(desde, i - desde));
  };
  espacio();
  e.nombre = palabra();
  for (;;) {
    espacio();
    if (i >= s.size()) break;
    if (s[i] == '>') {
      ++i;
      break;
    }
    if (s[i] == '/') {
      ++i;
      continue;
    }
    const std::string nombre = palabra();
    espacio();
    std::string valor;
    if (i < s.size() && s[i] == '=') {
      ++i;
      espacio();
      if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
        const char comilla = s[i++];
        const std::size_t fin = std::min(s.find(comilla, i), s.size());
        valor = s.substr(i, fin - i);
        i = std::min(fin + 1, s.size());
      } else {
        const std::size_t desde = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != '>') ++i;
        valor = s.substr(desde, i - desde);
      }
    }
    if (nombre.empty()) {
      ++i;  // a stray character: passed over
      continue;
    }
    e.atributos.emplace(nombre, sinEntidades(valor));
  }
  return e;
}

std::string atributo(const Etiqueta& e, const std::string& nombre) {
  auto a = e.atributos.find(nombre);
  return a != e.atributos.end() ? a->second : std::string();
}

}  // namespace

std::string temaDeLocal(std::string_view local, std::string_view carpeta) {
  while (!local.empty() && std::isspace(static_cast<unsigned char>(local.front())))
    local.remove_prefix(1);
  while (!local.empty() && std::isspace(static_cast<unsigned char>(local.back())))
    local.remove_suffix(1);
  if (local.empty()) return {};
  std::string ruta;
  if (const std::size_t dentro = local.find("::"); dentro != std::string_view::npos) {
    ruta = std::string(local.substr(dentro + 2));
  } else if (local.find("://") != std::string_view::npos ||
             minusculas(local.substr(0, 7)) == "mailto:") {
    return std::string(local);
  } else {
    ruta = std::string(local);
    if (ruta.front() != '/' && ruta.front() != '\\') ruta = std::string(carpeta) + "/" + ruta;
  }
  std::string ancla;
  if (const std::size_t almohadilla = ruta.find('#'); almohadilla != std::string::npos) {
    ancla = ruta.substr(almohadilla);
    ruta.resize(almohadilla);
  }
  return rutaInterna(ruta) + ancla;
}

std::vector<EntradaContenido> leerContenido(std::string_view hhcBytes, std::string_view carpeta) {
  const std::string hhc = textoUtf8(hhcBytes);
  std::vector<EntradaContenido> raiz;
  // The list each open <UL> adds to: a nested list belongs to the entry before it.
  std::vector<std::vector<EntradaContenido>*> listas{&raiz};
  int abiertas = 0;
  bool enObjeto = false;
  EntradaContenido entrada;
  std::size_t i = 0;
  while ((i = hhc.find('<', i)) != std::string::npos) {
    if (hhc.compare(i, 4, "<!--") == 0) {
      const std::size_t fin = hhc.find("-->", i + 4);
      if (fin == std::string::npos) break;
      i = fin + 3;
      continue;
    }
    const Etiqueta e = leerEtiqueta(hhc, i);
    if (e.nombre == "ul") {
      if (++abiertas > 1) {
        std::vector<EntradaContenido>* lista = listas.back();
        listas.push_back(lista->empty() ? lista : &lista->back().hijos);
      }
    } else if (e.nombre == "/ul") {
      if (abiertas > 1) listas.pop_back();
      if (abiertas > 0) --abiertas;
    } else if (e.nombre == "object") {
      enObjeto = minusculas(atributo(e, "type")) == "text/sitemap";
      entrada = {};
    } else if (e.nombre == "param" && enObjeto) {
      const std::string nombre = minusculas(atributo(e, "name"));
      const std::string valor = atributo(e, "value");
      if (nombre == "name" && entrada.nombre.empty()) entrada.nombre = valor;
      if (nombre == "local" && entrada.tema.empty()) entrada.tema = temaDeLocal(valor, carpeta);
    } else if (e.nombre == "/object" && enObjeto) {
      enObjeto = false;
      if (entrada.nombre.empty()) entrada.nombre = entrada.tema;
      if (!entrada.nombre.empty()) listas.back()->push_back(std::move(entrada));
    }
  }
  return raiz;
}

}  // namespace ayuda
