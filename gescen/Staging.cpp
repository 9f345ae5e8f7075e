#include "gescen/Staging.h"

#include <vector>

#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace gescen {
namespace {

// The text after the last "\" or ":" (or "/" in a native path).
std::string parteNombre(const std::string& path) {
  auto cut = path.find_last_of(plat::isWindowsPath(path) ? "\\:" : "\\:/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

namespace {

// A path as the user knows it: Windows paths as written, native ones by their drive.
std::string rutaVisible(const std::string& ruta) {
  return plat::isWindowsPath(ruta) ? ruta : plat::toWindows(ruta);
}

}  // namespace

EntradaSalidaError::EntradaSalidaError(int code, const std::string& ruta)
    : std::runtime_error(plat::errorText(code) + " (" + rutaVisible(ruta) + ")"), code_(code) {}

EntradaSalidaError::EntradaSalidaError(const plat::IoError& e)
    : EntradaSalidaError(e.code(), e.path()) {}

void CopiarArchivo(std::string destino, const std::string& origen) {
  if (parteNombre(destino).empty()) destino += parteNombre(origen);
  const std::string src = plat::toNative(origen);
  const std::string dst = plat::toNative(destino);
  if (!plat::fileExists(src)) return;
  try {
    plat::File entrada = plat::File::open(src, plat::Access::ReadWrite);
    // An existing file is written over and then cut to the copy's length: a staged copy
    // usually has the size it had in the last run, and its storage is reused instead of
    // being freed and taken back.
    plat::File salida = plat::File::rewrite(dst);
    salida.truncate(salida.copyFrom(entrada));
    salida.close();
    entrada.close();
  } catch (const plat::IoError& e) {
    // Named as the caller named it: a link's target means less to the user.
    throw EntradaSalidaError(e.code(), e.path() == src   ? origen
                                       : e.path() == dst ? destino
                                                         : e.path());
  }
}

void ReemplazarArchivo(const std::string& destino, const std::string& origen) {
  const std::string dst = plat::toNative(destino);
  // A link is deleted, never written through; so is a file that nothing will replace.
  std::string enlace;
  if (plat::linkText(dst, enlace) ||
      (plat::fileExists(dst) && !plat::fileExists(plat::toNative(origen))))
    plat::removeFile(dst);
  CopiarArchivo(destino, origen);
}

std::string archivoGC(const std::string& carpetaGC, const std::string& nombre) {
  bool nativa = !carpetaGC.empty() && carpetaGC[0] == '/';
  return carpetaGC + (nativa ? "/" : "\\") + nombre;
}

void asegurarCarpetaStaging() {
  const std::string staging = plat::toNative(kCarpetaStaging);
  if (!plat::folderExists(staging)) plat::makeFolders(staging);
}

void CopiarDatosGC(Catalogo& tablas, const std::string& carpetaGC) {
  CarpetaEnUso uso;
  struct Paso {
    const char* archivo;
    dbf::Table* tabla;
  };
  const std::vector<Paso> pasos = {
      {"grupos.dbf", &tablas.wwTableGrupos},   {"profesor.dbf", &tablas.wwTableProfesor},
      {"horgrup.dbf", &tablas.wwTableHorGrup}, {"asigalum.dbf", &tablas.wwTableAsigAlum},
      {"asignat.dbf", &tablas.wwTableAsignat}, {"aulas.dbf", &tablas.wwTableAulas},
      {"alumnos.dbf", &tablas.wwTableAlumnos}, {"alumnos.fpt", nullptr},
      {"centro.dbf", &tablas.wwTableCentro},   {"lhortipo.dbf", &tablas.wwTableLhortipo},
      {"OCUPA.dbf", &tablas.wwTableOCUPA},
  };
  for (const Paso& paso : pasos) {
    if (paso.tabla != nullptr) paso.tabla->close();
    ReemplazarArchivo(std::string(kCarpetaStaging) + "\\" + paso.archivo,
                      archivoGC(carpetaGC, paso.archivo));
  }
}

}  // namespace gescen
