#pragma once
// One export, import or staging pass at a time on the work folder C:\ZORVTMP, whichever
// run of the program (dialog or command line) starts it: each holds a lock on a file of
// the staging folder while it works, and a second one is refused at once rather than
// reading what the first has half written.

#include <stdexcept>

namespace gescen {

inline constexpr const char* kArchivoEnUso = "C:\\ZORVTMP\\VALENCIA\\EN-USO.TZV";
inline constexpr const char* kOtraEjecucion =
    "Hay otra exportación o importación en marcha sobre C:\\ZORVTMP. Espere a que termine y "
    "vuelva a intentarlo.";

class OtraEjecucionError : public std::runtime_error {
 public:
  OtraEjecucionError() : std::runtime_error(kOtraEjecucion) {}
};

// Holds the work folder while it lives; throws OtraEjecucionError when another process
// holds it. Holders nest within one process: the first takes the lock, the last gives
// it back. A lock file that cannot be made at all (no staging folder can be created)
// stops nothing here: the run's own first copy reports that.
class CarpetaEnUso {
 public:
  CarpetaEnUso();
  ~CarpetaEnUso();
  CarpetaEnUso(const CarpetaEnUso&) = delete;
  CarpetaEnUso& operator=(const CarpetaEnUso&) = delete;
};

}  // namespace gescen
