#include "gescen/ProgramaAbierto.h"

#include "gescen/Staging.h"
#include "plat/WinPath.h"

namespace gescen {

ProgramaAbierto::ProgramaAbierto() {
  try {
    const std::string ruta = plat::toNative(kArchivoProgramaAbierto);
    // The folder is made only when the lock file cannot be reached: a second copy,
    // which finds both there, changes nothing on disk.
    if (!plat::fileExists(ruta)) asegurarCarpetaStaging();
    cerrojo_ = plat::File::rewrite(ruta, plat::Share::Exclusive);
  } catch (const plat::IoError& e) {
    otraCopia_ = e.code() == plat::kSharingViolation;
  }
}

bool hayProgramaAbierto() { return plat::inUseByOther(plat::toNative(kArchivoProgramaAbierto)); }

}  // namespace gescen
