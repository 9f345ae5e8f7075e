#include "ui/ArchivoIni.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace ui {
namespace {

struct Linea {
  std::size_t inicio = 0;    // first byte of the line
  std::size_t finTexto = 0;  // first byte of the line ending (or of the next line)
  std::size_t fin = 0;       // first byte of the next line
};

std::vector<Linea> partirLineas(const std::string& s) {
  std::vector<Linea> lineas;
  std::size_t i = 0;
  while (i < s.size()) {
    Linea l;
    l.inicio = i;
    std::size_t nl = s.find('\n', i);
    if (nl == std::string::npos) {
      l.finTexto = l.fin = s.size();
    } else {
      l.finTexto = (nl > i && s[nl - 1] == '\r') ? nl - 1 : nl;
      l.fin = nl + 1;
    }
    lineas.push_back(l);
    i = l.fin;
  }
  return lineas;
}

std::string_view recortar(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

bool mismoNombre(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The text of a line without its ending, and without a UTF-8 byte-order mark at the
// start of the file.
std::string_view textoDe(const std::string& s, const Linea& l) {
  std::string_view t(s.data() + l.inicio, l.finTexto - l.inicio);
  if (l.inicio == 0 && t.substr(0, 3) == "\xEF\xBB\xBF") t.remove_prefix(3);
  return t;
}

// The section a line opens, when it is a section header.
bool esSeccion(std::string_view texto, std::string_view& nombre) {
  texto = recortar(texto);
  if (texto.empty() || texto.front() != '[') return false;
  texto.remove_prefix(1);
  std::size_t cierre = texto.find(']');
  nombre = recortar(texto.substr(0, cierre));
  return true;
}

bool esClave(std::string_view texto, std::string_view clave) {
  texto = recortar(texto);
  if (texto.empty() || texto.front() == ';') return false;
  std::size_t igual = texto.find('=');
  if (igual == std::string_view::npos) return false;
  return mismoNombre(recortar(texto.substr(0, igual)), clave);
}

std::string finDeLinea(const std::string& s) {
  std::size_t nl = s.find('\n');
  if (nl == std::string::npos) return "\r\n";
  return (nl > 0 && s[nl - 1] == '\r') ? "\r\n" : "\n";
}

bool leerArchivo(const std::string& ruta, std::string& contenido, bool& existe) {
  std::error_code ec;
  fs::file_status st = fs::status(ruta, ec);
  existe = fs::exists(st);
  if (!existe) return true;
  if (!fs::is_regular_file(st)) return false;
  std::ifstream in(ruta, std::ios::binary);
  if (!in) return false;
  contenido.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

std::string conValor(const std::string& contenido, const std::string& seccion,
                     const std::string& clave, const std::string& valor) {
  const std::string eol = finDeLinea(contenido);
  const std::string nueva = clave + "=" + valor;
  const std::vector<Linea> lineas = partirLineas(contenido);

  bool dentro = false;
  bool hallada = false;
  std::size_t ultimaConTexto = 0;  // index of the section's last non-blank line
  for (std::size_t i = 0; i < lineas.size(); ++i) {
    const std::string_view texto = textoDe(contenido, lineas[i]);
    std::string_view nombre;
    if (esSeccion(texto, nombre)) {
      if (dentro) break;  // the section ended without the key
      if (!hallada && mismoNombre(nombre, seccion)) {
        dentro = hallada = true;
        ultimaConTexto = i;
      }
      continue;
    }
    if (!dentro) continue;
    if (esClave(texto, clave)) {
      std::string out = contenido;
      out.replace(lineas[i].inicio, lineas[i].finTexto - lineas[i].inicio, nueva);
      return out;
    }
    if (!recortar(texto).empty()) ultimaConTexto = i;
  }

  if (hallada) {
    const Linea& l = lineas[ultimaConTexto];
    std::string out = contenido;
    if (l.fin == l.finTexto) {
      // The section's last line ends the file without a line break.
      out.insert(l.fin, eol + nueva);
    } else {
      out.insert(l.fin, nueva + eol);
    }
    return out;
  }

  std::string out = contenido;
  if (!out.empty() && out.back() != '\n') out += eol;
  out += "[" + seccion + "]" + eol + nueva + eol;
  return out;
}

bool escribirValor(const std::string& ruta, const std::string& seccion, const std::string& clave,
                   const std::string& valor) {
  std::error_code ec;
  // A link is followed: the file it names is the one rewritten.
  fs::path destino = ruta;
  if (fs::is_symlink(fs::symlink_status(destino, ec))) {
    destino = fs::weakly_canonical(destino, ec);
    if (ec) return false;
  }

  std::string contenido;
  bool existe = false;
  if (!leerArchivo(destino.string(), contenido, existe)) return false;
  const std::string texto = conValor(contenido, seccion, clave, valor);

  std::random_device rd;
  fs::path temporal = destino;
  temporal += ".tmp" + std::to_string(rd() % 1000000);
  {
    std::ofstream out(temporal, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(texto.data(), static_cast<std::streamsize>(texto.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temporal, ec);
      return false;
    }
  }
  if (existe) {
    fs::permissions(temporal, fs::status(destino, ec).permissions(), ec);
  }
  fs::rename(temporal, destino, ec);
  if (ec) {
    fs::remove(temporal, ec);
    return false;
  }
  return true;
}

}  // namespace ui
