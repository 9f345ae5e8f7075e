#include "procesos/importar/CopiaSegura.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "gescen/CarpetaEnUso.h"
#include "gescen/CerrojoHorarios.h"
#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/TextoAviso.h"
#include "procesos/importar/RegistroDevolucion.h"

namespace procesos {
using gescen::CerrojoHorarios;

namespace {

const std::array<const char*, 2> kHorarios = {"horgrup.dbf", "horprof.dbf"};
// A backup folder is written under this ending and renamed when whole.
constexpr const char* kCopiaAMedias = ".tmp";

// Files are read and summed in blocks of this size: a sum taken again (at the next start)
// must see the same blocks as the one taken while copying.
constexpr std::size_t kBloque = 1 << 16;

struct Huella {
  std::uint64_t tamano = 0;
  std::uint64_t suma = kSumaInicial;
  bool operator==(const Huella&) const = default;
};

// Another PC's run of this program looks at GESCEN's timetables for an instant (whether
// GESCEN holds them, or as it copies one), and the Windows build does so with a lock or
// an opening that shares nothing: it looks like GESCEN holding the table. What GESCEN
// holds it holds for long, so a step that meets a hold on a timetable is tried again
// for a while before the hold is reported.
constexpr std::chrono::milliseconds kEsperaRetenida{1000};
constexpr std::chrono::milliseconds kPausaRetenida{20};

template <typename Paso>
auto reintentado(Paso paso) -> decltype(paso()) {
  const auto limite = std::chrono::steady_clock::now() + kEsperaRetenida;
  for (;;) {
    try {
      return paso();
    } catch (const plat::IoError& e) {
      if (e.code() != plat::kSharingViolation || std::chrono::steady_clock::now() >= limite) throw;
    } catch (const GescenAbiertaError&) {
      if (std::chrono::steady_clock::now() >= limite) throw;
    }
    std::this_thread::sleep_for(kPausaRetenida);
  }
}

// Copies a file and flushes the copy to disk; returns what was copied, summed only
// when `sumar` (a backup's sum is never asked for).
Huella copiarFirme(const std::string& origen, const std::string& destino, bool sumar = true) {
  Huella h;
  plat::File entrada = plat::File::open(origen, plat::Access::Read);
  plat::File salida = plat::File::create(destino);
  std::vector<char> buffer(kBloque);
  for (;;) {
    std::size_t n = entrada.readAt(h.tamano, buffer.data(), buffer.size());
    if (n == 0) break;
    salida.writeAt(h.tamano, buffer.data(), n);
    if (sumar) h.suma = sumaDeBytes(buffer.data(), n, h.suma);
    h.tamano += n;
  }
  salida.sync();
  salida.close();
  return h;
}

// What a file holds; nothing when it cannot be read.
std::optional<Huella> huellaDe(const std::string& ruta) {
  if (!plat::fileExists(ruta)) return std::nullopt;
  try {
    return reintentado([&] {
      plat::File f = plat::File::open(ruta, plat::Access::Read);
      Huella h;
      std::vector<char> buffer(kBloque);
      while (std::size_t n = f.readAt(h.tamano, buffer.data(), buffer.size())) {
        h.suma = sumaDeBytes(buffer.data(), n, h.suma);
        h.tamano += n;
      }
      return h;
    });
  } catch (const plat::IoError&) {
    return std::nullopt;
  }
}

bool tieneElNuevo(const std::string& ruta, const ArchivoDevuelto& a) {
  return huellaDe(ruta) == Huella{a.tamano, a.suma};
}

std::string nativa(const std::string& ruta) { return plat::toNative(ruta); }

// The native path of a GESCEN table.
std::string tablaGC(const std::string& carpetaGC, const char* tabla) {
  return nativa(gescen::archivoGC(carpetaGC, tabla));
}
std::string nombreDe(const std::string& ruta) {
  return plat::fsText(plat::fsPath(ruta).filename());
}
std::string carpetaDe(const std::string& ruta) {
  return plat::fsText(plat::fsPath(ruta).parent_path());
}
// The native GESCEN folder, as its tables' paths give it.
std::string carpetaNativa(const std::string& carpetaGC) {
  return carpetaDe(tablaGC(carpetaGC, kHorarios[0]));
}

// A failure on a file of the swap. A sharing violation on a GESCEN table means that
// another program (GESCEN, usually) has it open.
[[noreturn]] void fallo(const plat::IoError& e, const RegistroDevolucion& r) {
  if (e.code() == plat::kSharingViolation)
    for (const ArchivoDevuelto& a : r.archivos)
      if (e.path() == a.destino) throw GescenAbiertaError(plat::toWindows(a.destino));
  throw gescen::EntradaSalidaError(e);
}

// Runs a step of the swap with its failures told as fallo tells them.
template <typename Paso>
void paso(const RegistroDevolucion& r, Paso hacer) {
  try {
    hacer();
  } catch (const plat::IoError& e) {
    fallo(e, r);
  }
}

// Sixteen hex digits that name one run's files: random, mixed with the time, so that
// runs on other PCs (whose process ids may be the same) never pick the same.
std::string idDeEjecucion() {
  std::random_device azar;
  const auto ahora = std::chrono::system_clock::now().time_since_epoch().count();
  const std::uint64_t n = ((std::uint64_t{azar()} << 32) | azar()) ^
                          static_cast<std::uint64_t>(ahora) * 0x9E3779B97F4A7C15ull;
  char texto[17];
  std::snprintf(texto, sizeof texto, "%016llx", static_cast<unsigned long long>(n));
  return texto;
}

// The temporary name of a new table in the GESCEN folder, the run's own: no table
// extension, so that nothing that lists the folder's tables takes it for one.
std::string nombreProvisional(const std::string& tabla, const std::string& id) {
  return "~tzv-" + tabla.substr(0, tabla.find('.')) + "-" + id + ".tmp";
}

// A dated folder name that neither a whole backup nor one being written uses yet.
std::string carpetaDeCopias() {
  plat::LocalDate d = plat::today();
  char sello[32];
  std::snprintf(sello, sizeof sello, "%04d%02d%02d-%02d%02d%02d", d.year, d.month, d.day, d.hour,
                d.minute, d.second);
  const std::string base = plat::join(nativa(kCarpetaCopias), sello);
  std::string carpeta = base;
  for (int n = 2; plat::folderExists(carpeta) || plat::folderExists(carpeta + kCopiaAMedias); ++n)
    carpeta = base + "-" + std::to_string(n);
  return carpeta;
}

RegistroDevolucion planear(const std::string& carpetaGC, RegistroDevolucion::Clase clase) {
  RegistroDevolucion r;
  r.clase = clase;
  r.carpetaGC = carpetaGC;
  const std::string id = idDeEjecucion();
  for (const char* tabla : kHorarios) {
    ArchivoDevuelto a;
    a.destino = tablaGC(carpetaGC, tabla);
    a.nuevo = plat::join(carpetaDe(a.destino), nombreProvisional(tabla, id));
    if (plat::fileExists(a.destino)) {
      if (r.copias.empty()) r.copias = carpetaDeCopias();
      a.copia = plat::join(r.copias, nombreDe(a.destino));
    }
    r.archivos.push_back(a);
  }
  if (!r.copias.empty()) r.provisional = r.copias + kCopiaAMedias;
  return r;
}

void comprobarLibre(const std::string& tabla) {
  reintentado([&] {
    if (plat::inUseByOther(tabla)) throw GescenAbiertaError(plat::toWindows(tabla));
  });
}

void comprobarLibres(const RegistroDevolucion& r) {
  for (const ArchivoDevuelto& a : r.archivos) comprobarLibre(a.destino);
}

// The old tables, copied into the backup folder under its temporary name, which it
// loses once everything in it is on disk.
void guardarCopias(const RegistroDevolucion& r) {
  if (r.copias.empty()) return;
  if (int e = plat::makeFolders(r.provisional); e != 0) throw plat::IoError(e, r.provisional);
  for (const ArchivoDevuelto& a : r.archivos)
    if (!a.copia.empty())
      reintentado(
          [&] { copiarFirme(a.destino, plat::join(r.provisional, nombreDe(a.copia)), false); });
  plat::syncFolder(r.provisional);
  plat::renameFolder(r.provisional, r.copias);
  plat::syncFolder(carpetaDe(r.copias));
}

// Removes what a copy back that never began its renames wrote.
void quitarProvisionales(const RegistroDevolucion& r) {
  for (const ArchivoDevuelto& a : r.archivos)
    if (plat::fileExists(a.nuevo)) plat::removeFile(a.nuevo);
  if (!r.provisional.empty()) plat::removeTree(r.provisional);
}

// The renames, each new file in place of its table, then the record goes.
void ponerNuevos(const RegistroDevolucion& r) {
  paso(r, [&] {
    for (const ArchivoDevuelto& a : r.archivos)
      if (plat::fileExists(a.nuevo))
        reintentado([&] { plat::replaceByRename(a.nuevo, a.destino); });
  });
  plat::syncFolder(carpetaDe(r.archivos.front().destino));
  borrarRegistro();
}

// Every table that already holds its new file, or none, gets its old file back (or goes,
// when it did not exist before); then the record goes.
void reponerAnteriores(const RegistroDevolucion& r) {
  paso(r, [&] {
    for (const ArchivoDevuelto& a : r.archivos) {
      if (plat::fileExists(a.nuevo)) plat::removeFile(a.nuevo);
      const bool hayTabla = plat::fileExists(a.destino);
      if (hayTabla && !tieneElNuevo(a.destino, a)) continue;  // it never got its new file
      if (a.copia.empty()) {
        if (hayTabla) plat::removeFile(a.destino);
        continue;
      }
      copiarFirme(a.copia, a.nuevo);
      reintentado([&] { plat::replaceByRename(a.nuevo, a.destino); });
    }
  });
  plat::syncFolder(carpetaDe(r.archivos.front().destino));
  borrarRegistro();
}

bool nuevosCompletos(const RegistroDevolucion& r) {
  for (const ArchivoDevuelto& a : r.archivos) {
    const bool pendiente = plat::fileExists(a.nuevo);
    if (!tieneElNuevo(pendiente ? a.nuevo : a.destino, a)) return false;
  }
  return true;
}

// Backup folders that a killed run left half written.
std::vector<std::string> copiasAMedias() {
  const std::string copias = nativa(kCarpetaCopias);
  const std::string final = kCopiaAMedias;
  std::vector<std::string> carpetas;
  for (const std::string& nombre : plat::folderEntries(copias))
    if (nombre.size() > final.size() && nombre.ends_with(final))
      carpetas.push_back(plat::join(copias, nombre));
  return carpetas;
}

// Whether a killed run may have left anything: its record, or the record it was
// writing, or a backup folder half written.
bool quedaAlgo() {
  const std::string registro = nativa(kRegistroDevolucion);
  return plat::fileExists(registro) || plat::fileExists(registro + ".nuevo") ||
         !copiasAMedias().empty();
}

std::string tablasDe(const RegistroDevolucion& r) {
  std::string nombres;
  for (std::size_t i = 0; i < r.archivos.size(); ++i) {
    if (i > 0) nombres += i + 1 == r.archivos.size() ? " y " : ", ";
    nombres += nombreDe(r.archivos[i].destino);
  }
  return nombres + " de " + r.carpetaGC;
}

// What the record's run was, for the lines that tell what became of it.
std::string interrumpida(const RegistroDevolucion& r) {
  return r.clase == RegistroDevolucion::Clase::Restauracion ? "una restauración interrumpida"
                                                            : "una importación interrumpida";
}

// Ends the record's swap; the GESCEN folder's lock is held.
std::string terminar(const RegistroDevolucion& r) {
  if (r.estado == RegistroDevolucion::Estado::Preparando) {
    quitarProvisionales(r);
    borrarRegistro();
    return "Se ha deshecho " + interrumpida(r) + ": " + tablasDe(r) + " siguen como estaban.";
  }
  comprobarLibres(r);
  const std::string copias = plat::toWindows(r.copias);
  if (nuevosCompletos(r)) {
    ponerNuevos(r);
    return "Se ha terminado " + interrumpida(r) + ": " + tablasDe(r) +
           " tienen ya el horario nuevo" +
           (copias.empty() ? "." : " (los anteriores se guardan en " + copias + ").");
  }
  reponerAnteriores(r);
  return "Se ha deshecho " + interrumpida(r) + ": " + tablasDe(r) +
         " vuelven a tener el horario anterior" +
         (copias.empty() ? "." : " (copiado de " + copias + ").");
}

// Whether another program holds a GESCEN table: a lock on it, or an opening that a copy
// out of the folder cannot share.
bool retenida(const std::string& tabla) {
  if (plat::inUseByOther(tabla)) return true;
  try {
    plat::File::open(tabla, plat::Access::ReadWrite);
    return false;
  } catch (const plat::IoError& e) {
    return e.code() == plat::kSharingViolation;
  }
}

}  // namespace

GescenAbiertaError::GescenAbiertaError(const std::string& tabla)
    : std::runtime_error("GESCEN tiene abierta la tabla " + tabla +
                         ". Ciérrela y vuelva a intentarlo.") {}

void comprobarHorariosLibres(const std::string& carpetaGC) {
  for (const char* tabla : kHorarios) comprobarLibre(tablaGC(carpetaGC, tabla));
}

void copiarDeGescen(const std::string& carpetaGC, const std::function<void()>& copia) {
  const auto limite = std::chrono::steady_clock::now() + kEsperaRetenida;
  for (;;) {
    try {
      copia();
      return;
    } catch (const gescen::EntradaSalidaError& e) {
      if (e.code() != plat::kSharingViolation) throw;
      if (std::chrono::steady_clock::now() >= limite) {
        for (const char* tabla : kHorarios)
          if (retenida(tablaGC(carpetaGC, tabla)))
            throw GescenAbiertaError(plat::toWindows(tablaGC(carpetaGC, tabla)));
        throw;
      }
    }
    std::this_thread::sleep_for(kPausaRetenida);
  }
}

std::string devolverHorarios(const std::string& carpetaGC, RegistroDevolucion::Clase clase) {
  gescen::CarpetaEnUso uso;
  // From the plan to the last rename: what is planned, checked and kept in the backup is
  // what this swap replaces, whatever the other PCs do.
  CerrojoHorarios cerrojo(carpetaNativa(carpetaGC), carpetaGC);
  RegistroDevolucion r = planear(carpetaGC, clase);
  comprobarLibres(r);
  guardarRegistro(r);
  try {
    paso(r, [&] {
      for (std::size_t i = 0; i < r.archivos.size(); ++i) {
        ArchivoDevuelto& a = r.archivos[i];
        const std::string staged = std::string(gescen::kCarpetaStaging) + "\\" + kHorarios[i];
        const Huella h = copiarFirme(nativa(staged), a.nuevo);
        a.tamano = h.tamano;
        a.suma = h.suma;
      }
      plat::syncFolder(carpetaDe(r.archivos.front().destino));
      guardarCopias(r);
    });
    comprobarLibres(r);
  } catch (...) {
    try {
      quitarProvisionales(r);
    } catch (...) {
      // What stays is removed at the next start; the first failure is the one to report.
    }
    borrarRegistro();
    throw;
  }
  // From here on the swap is decided: a run killed now is finished at the next start.
  r.estado = RegistroDevolucion::Estado::Cambiando;
  guardarRegistro(r);
  try {
    ponerNuevos(r);
  } catch (...) {
    try {
      reponerAnteriores(r);
    } catch (...) {
      // The record stays: the next start puts the old tables back.
    }
    throw;
  }
  return plat::toWindows(r.copias);
}

bool devolucionPendiente() { return plat::fileExists(nativa(kRegistroDevolucion)); }

std::string recuperarDevolucion() {
  // Most starts find nothing, and then touch nothing: not even the work folder is made.
  if (!quedaAlgo()) return {};
  std::optional<gescen::CarpetaEnUso> uso;
  try {
    uso.emplace();
  } catch (const gescen::OtraEjecucionError&) {
    return {};  // the run that holds the work folder is alive: its record is its own
  }
  std::optional<RegistroDevolucion> r;
  try {
    r = leerRegistro();
  } catch (const RegistroDanadoError& e) {
    plat::removeFile(nativa(kRegistroDevolucion));
    return std::string(e.what()) + " y se ha descartado.";
  } catch (const std::exception& e) {
    return std::string("No se ha podido leer el registro de una importación interrumpida: ") +
           e.what() + ". Se volverá a intentar al abrir de nuevo el programa.";
  }
  for (const std::string& carpeta : copiasAMedias()) plat::removeTree(carpeta);
  if (!r) return {};
  const std::string noTerminada =
      "No se ha podido terminar " + interrumpida(*r) + " en " + r->carpetaGC + ": ";
  const std::string luego = " Se volverá a intentar al abrir de nuevo el programa.";
  try {
    CerrojoHorarios cerrojo(carpetaDe(r->archivos.front().destino), r->carpetaGC);
    return terminar(*r);
  } catch (const gescen::HorariosOcupadosError&) {
    return noTerminada + "otro equipo está importando en esa carpeta." + luego;
  } catch (const std::exception& e) {
    return noTerminada + conPuntoFinal(e.what()) + luego;
  }
}

}  // namespace procesos
