#include "procesos/importar/Restauracion.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "dbf/Table.h"
#include "gescen/CarpetaEnUso.h"
#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/importar/CopiaSegura.h"

namespace procesos {
namespace {

const char* const kTablas[] = {"horgrup.dbf", "horprof.dbf"};

bool mismoNombre(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A backup folder's name is its date and time, 20261211-093005, with -2, -3... when
// another one took that second first.
bool esNombreDeCopia(const std::string& n) {
  auto cifras = [&](std::size_t desde, std::size_t hasta) {
    return std::all_of(n.begin() + desde, n.begin() + hasta,
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  };
  if (n.size() < 15 || n[8] != '-' || !cifras(0, 8) || !cifras(9, 15)) return false;
  return n.size() == 15 || (n.size() > 16 && n[15] == '-' && cifras(16, n.size()));
}

// Newer first: by date and time, then by the number after them.
bool masNueva(const std::string& a, const std::string& b) {
  const std::string fa = a.substr(0, 15), fb = b.substr(0, 15);
  if (fa != fb) return fa > fb;
  const long na = a.size() > 16 ? std::stol(a.substr(16)) : 1;
  const long nb = b.size() > 16 ? std::stol(b.substr(16)) : 1;
  return na > nb;
}

std::string fechaDe(const std::string& n) {
  return n.substr(6, 2) + "/" + n.substr(4, 2) + "/" + n.substr(0, 4) + " " + n.substr(9, 2) + ":" +
         n.substr(11, 2) + ":" + n.substr(13, 2);
}

// The table's file in the backup folder, whatever the case of its name; empty when the
// folder lacks it.
std::string archivoDe(const std::string& carpeta, const char* tabla) {
  const std::string nombre = plat::findEntry(
      plat::toNative(carpeta), [&](std::string_view n) { return mismoNombre(n, tabla); });
  return nombre.empty() ? std::string() : carpeta + "\\" + nombre;
}

CopiaHorarios leerCopia(const std::string& nombre) {
  CopiaHorarios c{nombre, std::string(kCarpetaCopias) + "\\" + nombre, fechaDe(nombre), {}};
  for (const char* tabla : kTablas) {
    const std::string archivo = archivoDe(c.carpeta, tabla);
    if (archivo.empty()) continue;
    long n = -1;
    try {
      n = dbf::countRecords(archivo);
    } catch (const std::exception&) {
    }
    c.tablas.emplace_back(tabla, n);
  }
  return c;
}

[[noreturn]] void rehusar(const std::string& motivo) {
  throw std::runtime_error(motivo + " No se ha cambiado nada.");
}

// The whole backups' folder names, newest first.
std::vector<std::string> nombresDeCopias() {
  std::vector<std::string> nombres;
  for (const std::string& n : plat::folderEntries(plat::toNative(kCarpetaCopias)))
    if (esNombreDeCopia(n)) nombres.push_back(n);
  std::sort(nombres.begin(), nombres.end(), masNueva);
  return nombres;
}

}  // namespace

std::vector<CopiaHorarios> copiasDeHorarios() {
  std::vector<CopiaHorarios> copias;
  for (const std::string& n : nombresDeCopias()) copias.push_back(leerCopia(n));
  return copias;
}

std::string restaurarHorarios(const std::string& carpetaGC, const std::string& nombre) {
  gescen::CarpetaEnUso uso;
  // Only the backup taken back is read.
  const std::vector<std::string> nombres = nombresDeCopias();
  auto elegida = std::find_if(nombres.begin(), nombres.end(),
                              [&](const std::string& n) { return nombre.empty() || n == nombre; });
  if (elegida == nombres.end())
    rehusar(nombre.empty() ? std::string("No hay copias de los horarios en ") + kCarpetaCopias + "."
                           : "No hay ninguna copia " + nombre + " en " + kCarpetaCopias + ".");
  const CopiaHorarios copia = leerCopia(*elegida);
  for (const char* tabla : kTablas) {
    auto t = std::find_if(copia.tablas.begin(), copia.tablas.end(),
                          [&](const auto& par) { return par.first == tabla; });
    if (t == copia.tablas.end())
      rehusar("La copia " + copia.nombre + " está incompleta: le falta " + tabla + ".");
    if (t->second < 0)
      rehusar("La copia " + copia.nombre + " no sirve: " + tabla +
              " no es una tabla que se pueda leer.");
  }
  try {
    comprobarHorariosLibres(carpetaGC);
  } catch (const GescenAbiertaError& e) {
    rehusar(e.what());
  }
  gescen::asegurarCarpetaStaging();
  for (const char* tabla : kTablas)
    gescen::ReemplazarArchivo(std::string(gescen::kCarpetaStaging) + "\\" + tabla,
                              archivoDe(copia.carpeta, tabla));
  return devolverHorarios(carpetaGC, RegistroDevolucion::Clase::Restauracion);
}

}  // namespace procesos
