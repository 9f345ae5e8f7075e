#include "ui/CarpetaPrograma.h"

#include "plat/Platform.h"

namespace ui {
namespace {

std::string& carpetaFijada() {
  static std::string carpeta;
  return carpeta;
}

#ifdef _WIN32
constexpr const char* kSeparadores = "\\/";
constexpr char kSeparador = '\\';
#else
constexpr const char* kSeparadores = "/";
constexpr char kSeparador = '/';
#endif

}  // namespace

std::string carpetaPrograma() {
  if (!carpetaFijada().empty()) return carpetaFijada();
  const std::string programa = plat::programFile();
  const std::size_t corte = programa.find_last_of(kSeparadores);
  return corte == std::string::npos ? std::string(".") : programa.substr(0, corte);
}

void fijarCarpetaPrograma(const std::string& carpeta) { carpetaFijada() = carpeta; }

std::string juntoAlPrograma(const std::string& nombre) {
  std::string carpeta = carpetaPrograma();
  if (carpeta.empty() || carpeta.back() != kSeparador) carpeta += kSeparador;
  return carpeta + nombre;
}

}  // namespace ui
