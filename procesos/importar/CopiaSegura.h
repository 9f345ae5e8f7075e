#pragma once
// Putting the rebuilt timetables back into the GESCEN folder as a database commits:
// the new files are written beside their tables under temporary names and the old
// tables are copied into a backup folder, all flushed to disk; then a record of the swap
// is written in the staging folder, the renames follow, and the record goes last. A run
// killed at any point leaves either a record that the next start finishes or undoes
// (RecuperarDevolucion), or both tables as they were. Both hold the GESCEN folder's
// lock (CerrojoHorarios), so that the PCs that share the folder swap one at a time, and
// the new files carry the run's own name, so that a run touches no other's files.

#include <functional>
#include <stdexcept>
#include <string>

#include "procesos/importar/RegistroDevolucion.h"

namespace procesos {

inline constexpr const char* kCarpetaCopias = "C:\\ZORVTMP\\VALENCIA\\COPIAS";

// Another program (GESCEN, usually) has one of the GESCEN tables in use.
class GescenAbiertaError : public std::runtime_error {
 public:
  explicit GescenAbiertaError(const std::string& tabla);
};

// Refuses with GescenAbiertaError when another program has horgrup.dbf or horprof.dbf of
// `carpetaGC` in use.
void comprobarHorariosLibres(const std::string& carpetaGC);

// Runs `copia`, which copies files out of the GESCEN folder `carpetaGC`: a sharing
// violation while another program holds horgrup.dbf or horprof.dbf there is reported
// as GescenAbiertaError naming the table; other failures pass unchanged.
void copiarDeGescen(const std::string& carpetaGC, const std::function<void()>& copia);

// Replaces horgrup.dbf and horprof.dbf of `carpetaGC` with the staged copies; `clase`
// says in the record which kind of run asks. Returns the folder that keeps the old files
// (empty when there were none). On failure both tables are as they were. While another
// PC holds the folder longer than the lock's wait: HorariosOcupadosError, nothing done.
std::string devolverHorarios(
    const std::string& carpetaGC,
    RegistroDevolucion::Clase clase = RegistroDevolucion::Clase::Importacion);

// Whether a copy back that did not end has left its record.
bool devolucionPendiente();

// Finishes a copy back that a killed run left half done (both new files are whole: the
// renames are completed) or undoes it (its temporary files and half-written backup go;
// a table that already got its new file gets its old one back when a new file is
// missing), then removes what such runs left behind. Returns one line saying what it
// did, or empty text when there was nothing to do or another run is working. When the
// swap cannot be ended now (GESCEN has a table open, another PC holds the folder), the
// record stays for the next start and the line says why.
std::string recuperarDevolucion();

}  // namespace procesos
