#include "procesos/importar/RegistroDevolucion.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace procesos {
namespace {

constexpr const char* kCabecera = "TransZorvexValencia: devolución de horarios 1";

std::string rutaRegistro() { return plat::toNative(kRegistroDevolucion); }
std::string rutaProvisional() { return rutaRegistro() + ".nuevo"; }

std::string texto(const RegistroDevolucion& r) {
  std::ostringstream out;
  auto linea = [&](const char* clave, const std::string& valor) {
    // One value a line: a path that holds a line break could not be read back.
    if (valor.find_first_of("\r\n") != std::string::npos)
      throw std::runtime_error("La ruta \"" + valor + "\" contiene un salto de línea");
    out << clave << ' ' << valor << '\n';
  };
  out << kCabecera << '\n';
  // Written for restorations only: a record without it reads as an import's, also in the
  // builds from before the line existed.
  if (r.clase == RegistroDevolucion::Clase::Restauracion) linea("clase", "restauracion");
  linea("estado", r.estado == RegistroDevolucion::Estado::Cambiando ? "cambiando" : "preparando");
  linea("gescen", r.carpetaGC);
  linea("copias", r.copias);
  linea("provisional", r.provisional);
  for (const ArchivoDevuelto& a : r.archivos) {
    linea("nuevo", a.nuevo);
    linea("destino", a.destino);
    linea("copia", a.copia);
    linea("tamano", std::to_string(a.tamano));
    linea("suma", std::to_string(a.suma));
  }
  out << "fin\n";
  return out.str();
}

[[noreturn]] void danado() {
  throw RegistroDanadoError("El registro " + std::string(kRegistroDevolucion) +
                            " de una importación anterior está dañado");
}

std::uint64_t numero(const std::string& valor) {
  try {
    std::size_t usado = 0;
    std::uint64_t n = std::stoull(valor, &usado);
    if (usado != valor.size()) danado();
    return n;
  } catch (const std::logic_error&) {
    danado();
  }
}

RegistroDevolucion leido(const std::string& contenido) {
  std::istringstream in(contenido);
  std::string linea;
  if (!std::getline(in, linea) || linea != kCabecera) danado();
  RegistroDevolucion r;
  bool completo = false;
  while (std::getline(in, linea)) {
    if (linea == "fin") {
      completo = true;
      break;
    }
    const std::size_t espacio = linea.find(' ');
    if (espacio == std::string::npos) danado();
    const std::string clave = linea.substr(0, espacio), valor = linea.substr(espacio + 1);
    if (clave == "clase") {
      if (valor != "importacion" && valor != "restauracion") danado();
      r.clase = valor == "restauracion" ? RegistroDevolucion::Clase::Restauracion
                                        : RegistroDevolucion::Clase::Importacion;
    } else if (clave == "estado") {
      if (valor != "preparando" && valor != "cambiando") danado();
      r.estado = valor == "cambiando" ? RegistroDevolucion::Estado::Cambiando
                                      : RegistroDevolucion::Estado::Preparando;
    } else if (clave == "gescen") {
      r.carpetaGC = valor;
    } else if (clave == "copias") {
      r.copias = valor;
    } else if (clave == "provisional") {
      r.provisional = valor;
    } else if (clave == "nuevo") {
      r.archivos.push_back({valor, {}, {}, 0, 0});
    } else if (r.archivos.empty()) {
      danado();
    } else if (clave == "destino") {
      r.archivos.back().destino = valor;
    } else if (clave == "copia") {
      r.archivos.back().copia = valor;
    } else if (clave == "tamano") {
      r.archivos.back().tamano = numero(valor);
    } else if (clave == "suma") {
      r.archivos.back().suma = numero(valor);
    } else {
      danado();
    }
  }
  if (!completo || r.archivos.empty()) danado();
  for (const ArchivoDevuelto& a : r.archivos)
    if (a.nuevo.empty() || a.destino.empty()) danado();
  return r;
}

}  // namespace

std::uint64_t sumaDeBytes(const char* bytes, std::size_t n, std::uint64_t suma) {
  // Four independent sums over 32 bytes a step, folded at the end: the copy back sums
  // every byte it writes, and one chain of multiplications would be four times slower.
  constexpr std::uint64_t kPrimo = 0x9E3779B97F4A7C15ull;
  std::uint64_t carriles[4] = {suma, suma ^ 1, suma ^ 2, suma ^ 3};
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    for (int c = 0; c < 4; ++c) {
      std::uint64_t palabra;
      std::memcpy(&palabra, bytes + i + 8 * c, 8);
      carriles[c] = (carriles[c] ^ palabra) * kPrimo;
      carriles[c] ^= carriles[c] >> 29;
    }
  }
  for (std::uint64_t carril : carriles) suma = (suma ^ carril) * kPrimo;
  for (; i < n; ++i) suma = (suma ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ull;
  return suma;
}

void guardarRegistro(const RegistroDevolucion& registro) {
  const std::string contenido = texto(registro);
  try {
    plat::File f = plat::File::create(rutaProvisional());
    f.writeAt(0, contenido.data(), contenido.size());
    f.sync();
    f.close();
    plat::replaceByRename(rutaProvisional(), rutaRegistro());
  } catch (const plat::IoError& e) {
    plat::removeFile(rutaProvisional());
    throw gescen::EntradaSalidaError(e);
  }
  plat::syncFolder(plat::toNative(gescen::kCarpetaStaging));
}

std::optional<RegistroDevolucion> leerRegistro() {
  // A record still being written never took effect: nothing was begun on its word.
  if (plat::fileExists(rutaProvisional())) plat::removeFile(rutaProvisional());
  if (!plat::fileExists(rutaRegistro())) return std::nullopt;
  try {
    plat::File f = plat::File::open(rutaRegistro(), plat::Access::Read);
    std::string contenido(static_cast<std::size_t>(f.size()), '\0');
    contenido.resize(f.readAt(0, contenido.data(), contenido.size()));
    return leido(contenido);
  } catch (const plat::IoError& e) {
    throw gescen::EntradaSalidaError(e);
  }
}

void borrarRegistro() noexcept {
  // Not flushed: a record that comes back after a power cut describes a swap already
  // done, which the next start finds done.
  plat::removeFile(rutaRegistro());
}

}  // namespace procesos
