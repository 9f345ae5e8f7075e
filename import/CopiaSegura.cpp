#include "CopiaSegura.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "Staging.h"
#include "WinPath.h"
#include "platform/Platform.h"

namespace tzv {
namespace {

constexpr const char* kTemporal = ".tzv-nuevo";
const std::array<const char*, 2> kHorarios = {"horgrup.dbf", "horprof.dbf"};

// Copies a file and flushes the copy to disk.
void copiarFirme(const std::string& origen, const std::string& destino) {
  try {
    plat::File entrada = plat::File::open(origen, plat::Access::Read);
    plat::File salida = plat::File::create(destino);
    std::vector<char> buffer(1 << 16);
    std::uint64_t at = 0;
    for (;;) {
      std::size_t n = entrada.readAt(at, buffer.data(), buffer.size());
      if (n == 0) break;
      salida.writeAt(at, buffer.data(), n);
      at += n;
    }
    salida.sync();
    salida.close();
  } catch (const plat::IoError& e) {
    throw gc::EntradaSalidaError(e.code());
  }
}

std::string carpetaDeCopias() {
  plat::LocalDate d = plat::today();
  char sello[32];
  std::snprintf(sello, sizeof sello, "%04d%02d%02d-%02d%02d%02d", d.year, d.month, d.day, d.hour,
                d.minute, d.second);
  std::string carpeta = std::string(kCarpetaCopias) + "\\" + sello;
  for (int n = 2; plat::folderExists(winpath::toNative(carpeta)); ++n)
    carpeta = std::string(kCarpetaCopias) + "\\" + sello + "-" + std::to_string(n);
  return carpeta;
}

}  // namespace

std::string DevolverHorarios(const std::string& carpetaGC) {
  struct Archivo {
    std::string staged, destino, temporal, copia;
  };
  std::vector<Archivo> archivos;
  for (const char* nombre : kHorarios) {
    Archivo a;
    a.staged = winpath::toNative(std::string(gc::kCarpetaStaging) + "\\" + nombre);
    a.destino = winpath::toNative(gc::archivoGC(carpetaGC, nombre));
    a.temporal = a.destino + kTemporal;
    archivos.push_back(a);
  }

  // 1. The new files, complete and on disk, beside their targets.
  for (Archivo& a : archivos) copiarFirme(a.staged, a.temporal);

  // 2. The old files, kept where the user can take them back.
  std::string copias;
  for (Archivo& a : archivos) {
    if (!plat::fileExists(a.destino)) continue;
    if (copias.empty()) {
      copias = carpetaDeCopias();
      if (int e = plat::makeFolders(winpath::toNative(copias)); e != 0)
        throw gc::EntradaSalidaError(e);
    }
    a.copia =
        winpath::toNative(copias + "\\" + winpath::fsText(winpath::fsPath(a.destino).filename()));
    copiarFirme(a.destino, a.copia);
  }

  // 3. Both in place; if the second cannot be, the first goes back to its old content.
  const std::string carpeta = winpath::fsText(winpath::fsPath(archivos[0].destino).parent_path());
  try {
    plat::replaceByRename(archivos[0].temporal, archivos[0].destino);
  } catch (const plat::IoError& e) {
    for (Archivo& a : archivos) plat::removeFile(a.temporal);
    throw gc::EntradaSalidaError(e.code());
  }
  try {
    plat::replaceByRename(archivos[1].temporal, archivos[1].destino);
  } catch (const plat::IoError& e) {
    plat::removeFile(archivos[1].temporal);
    if (!archivos[0].copia.empty()) {
      copiarFirme(archivos[0].copia, archivos[0].temporal);
      plat::replaceByRename(archivos[0].temporal, archivos[0].destino);
    } else {
      plat::removeFile(archivos[0].destino);
    }
    plat::syncFolder(carpeta);
    throw gc::EntradaSalidaError(e.code());
  }
  plat::syncFolder(carpeta);
  return copias;
}

}  // namespace tzv
