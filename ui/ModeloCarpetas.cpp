#include "ui/ModeloCarpetas.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace fs = std::filesystem;

namespace ui {
namespace {

// A folder split into its root and the names below it.
struct Cadena {
  std::string raiz;  // "C:\" or, for a path no drive holds, "/"
  char sep;          // '\' or '/'
  std::vector<std::string> partes;

  std::string ruta(std::size_t n) const {  // the folder of the first n names
    std::string r = raiz;
    for (std::size_t i = 0; i < n; ++i) {
      if (i > 0) r += sep;
      r += partes[i];
    }
    return r;
  }
  std::string ruta() const { return ruta(partes.size()); }
};

bool conUnidad(const std::string& s) {
  return plat::isWindowsPath(s) && s.size() >= 2 && s[1] == ':';
}

// The names of a path, "." and ".." applied.
std::vector<std::string> nombres(const std::string& ruta, const std::string& separadores) {
  std::vector<std::string> out;
  std::size_t inicio = 0;
  while (inicio <= ruta.size()) {
    const std::size_t fin = std::min(ruta.find_first_of(separadores, inicio), ruta.size());
    const std::string n = ruta.substr(inicio, fin - inicio);
    if (n == "..") {
      if (!out.empty()) out.pop_back();
    } else if (!n.empty() && n != ".") {
      out.push_back(n);
    }
    inicio = fin + 1;
  }
  return out;
}

Cadena cadenaDe(const std::string& ruta) {
  if (conUnidad(ruta)) {
    const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(ruta[0])));
    return {std::string(1, letra) + ":\\", '\\', nombres(ruta.substr(2), "\\/")};
  }
  return {"/", '/', nombres(ruta, "/")};
}

std::string nativa(const std::string& carpeta) {
  return plat::isWindowsPath(carpeta) ? plat::toNative(carpeta) : carpeta;
}

std::string enMinusculas(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Subfolders of a folder, sorted as Windows lists them; names beginning with a dot are
// hidden folders under Wine and are left out.
std::vector<std::string> subcarpetas(const std::string& carpeta) {
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(plat::fsPath(nativa(carpeta)), ec), fin; !ec && it != fin;
       it.increment(ec)) {
    std::error_code ec2;
    if (!it->is_directory(ec2)) continue;
    const std::string nombre = plat::fsText(it->path().filename());
    if (nombre.empty() || nombre[0] == '.') continue;
    out.push_back(nombre);
  }
  std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
    const std::string la = enMinusculas(a), lb = enMinusculas(b);
    return la != lb ? la < lb : a < b;
  });
  return out;
}

std::string directorioDeTrabajo() {
  std::error_code ec;
  const std::string actual = plat::fsText(fs::current_path(ec));
  const std::string w = plat::toWindows(actual);
  return cadenaDe(plat::isWindowsPath(w) ? w : actual).ruta();
}

}  // namespace

ModeloCarpetas::ModeloCarpetas() : directorio_(directorioDeTrabajo()) {}

std::string ModeloCarpetas::normalizar(const std::string& carpeta) const {
  if (carpeta.empty()) return directorio_;
  if (plat::isWindowsPath(carpeta)) {
    if (conUnidad(carpeta)) return cadenaDe(carpeta).ruta();
    // "\GC": on the current folder's drive.
    const std::string unidad = conUnidad(directorio_) ? directorio_.substr(0, 2) : "C:";
    return cadenaDe(unidad + carpeta).ruta();
  }
  if (carpeta[0] == '/') {
    const std::string w = plat::toWindows(carpeta);
    return cadenaDe(plat::isWindowsPath(w) ? w : carpeta).ruta();
  }
  // Relative to the current folder.
  const Cadena actual = cadenaDe(directorio_);
  return cadenaDe(actual.ruta() + actual.sep + carpeta).ruta();
}

bool ModeloCarpetas::cambiar(const std::string& carpeta) {
  const std::string nueva = normalizar(carpeta);
  if (plat::sameName(nueva, directorio_)) return false;
  if (!plat::folderExists(nativa(nueva)))
    throw gescen::EntradaSalidaError(plat::kPathNotFound, nueva);
  directorio_ = nueva;
  return true;
}

std::vector<FilaCarpeta> ModeloCarpetas::filas() const {
  const Cadena c = cadenaDe(directorio_);
  std::vector<FilaCarpeta> out;
  out.push_back({c.raiz, c.raiz, 0, true});
  for (std::size_t i = 0; i < c.partes.size(); ++i)
    out.push_back({c.partes[i], c.ruta(i + 1), static_cast<int>(i + 1), true});
  const int nivel = static_cast<int>(c.partes.size()) + 1;
  const std::string base = c.partes.empty() ? c.raiz : c.ruta() + c.sep;
  for (const std::string& sub : subcarpetas(directorio_))
    out.push_back({sub, base + sub, nivel, false});
  return out;
}

std::size_t ModeloCarpetas::filaActual() const { return cadenaDe(directorio_).partes.size(); }

}  // namespace ui
