#pragma once
// Putting the rebuilt timetables back into the GESCEN folder as a database commits:
// the new files are written beside their tables under temporary names and the old
// tables are copied into a backup folder, all flushed to disk; then a record of the swap
// is written in the staging folder, the renames follow, and the record goes last. A run
// killed at any point leaves either a record that the next start finishes or undoes
// (RecuperarDevolucion), or both tables as they were.

#include <stdexcept>
#include <string>

namespace tzv {

inline constexpr const char* kCarpetaCopias = "C:\\ZORVTMP\\VALENCIA\\COPIAS";

// Another program (GESCEN, usually) has one of the GESCEN tables in use.
class GescenAbiertaError : public std::runtime_error {
 public:
  explicit GescenAbiertaError(const std::string& tabla);
};

// Refuses with GescenAbiertaError when another program has horgrup.dbf or horprof.dbf of
// `carpetaGC` in use.
void ComprobarHorariosLibres(const std::string& carpetaGC);

// Replaces horgrup.dbf and horprof.dbf of `carpetaGC` with the staged copies. Returns the
// folder that keeps the old files (empty when there were none). On failure both tables
// are as they were.
std::string DevolverHorarios(const std::string& carpetaGC);

// Whether a copy back that did not end has left its record.
bool DevolucionPendiente();

// Finishes a copy back that a killed run left half done (both new files are whole: the
// renames are completed) or undoes it (its temporary files and half-written backup go;
// a table that already got its new file gets its old one back when a new file is
// missing), then removes what such runs left behind. Returns one line saying what it
// did, or empty text when there was nothing to do or another run is working. When the
// swap cannot be ended now, the record stays for the next start and the line says why.
std::string RecuperarDevolucion();

}  // namespace tzv
