#pragma once
// One copy back into a GESCEN folder at a time, whichever PC makes it. The folder is
// often a server's, shared by several PCs, each with a work folder of its own: the lock
// of the work folder (gescen::CarpetaEnUso) cannot see the others. So every copy back, and
// the recovery of one, holds a byte-range lock on a file of the GESCEN folder itself,
// which the file server shows to every PC, and which the Linux and the Windows builds
// both take.
//
// The lock file is made once and never deleted: a holder of a deleted file and the
// creator of a new one would not see each other.

#include <chrono>
#include <stdexcept>
#include <string>

#include "plat/Platform.h"

namespace gescen {

// The lock file's name in the GESCEN folder: no table's extension, so that neither
// GESCEN nor the user takes it for a table.
inline constexpr const char* kArchivoCerrojoHorarios = "TRANSZORVEX.LCK";

// How long a run waits for another PC's copy back before it gives up: a copy back
// takes about a second.
inline constexpr std::chrono::milliseconds kEsperaCerrojoHorarios{5000};

// Another PC kept the GESCEN folder longer than the wait.
class HorariosOcupadosError : public std::runtime_error {
 public:
  explicit HorariosOcupadosError(const std::string& carpetaGC);
};

// Holds the GESCEN folder `carpetaNativa` while it lives (`carpetaGC` is the same
// folder as the user named it, for the message). Waits up to `espera` for another
// holder, then throws HorariosOcupadosError; a lock file that cannot be made throws
// gescen::EntradaSalidaError. One holder at a time, in this process too: a second one waits
// for the first like any other.
class CerrojoHorarios {
 public:
  CerrojoHorarios(const std::string& carpetaNativa, const std::string& carpetaGC,
                  std::chrono::milliseconds espera = kEsperaCerrojoHorarios);
  ~CerrojoHorarios();
  CerrojoHorarios(const CerrojoHorarios&) = delete;
  CerrojoHorarios& operator=(const CerrojoHorarios&) = delete;

 private:
  plat::File archivo_;
};

}  // namespace gescen
