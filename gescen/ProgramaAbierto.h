#pragma once
// One copy of the program per work folder C:\ZORVTMP, whichever front end it is (the Qt
// program and the Windows one under Wine see each other on a shared prefix): the copy
// that has the work folder holds a lock on a file of the staging folder for its whole
// life. A second copy finds the lock held and must touch nothing; the command-line runs
// that stage or write ask whether a copy holds it before they start.

#include "plat/Platform.h"

namespace gescen {

inline constexpr const char* kArchivoProgramaAbierto = "C:\\ZORVTMP\\VALENCIA\\ABIERTO.TZV";
inline constexpr const char* kProgramaYaAbierto =
    "TransZorvexValencia ya está abierto en este equipo. Siga en esa ventana, o ciérrela y "
    "vuelva a intentarlo.";

class ProgramaAbierto {
 public:
  // Takes the lock, making the staging folder first when it is missing; otraCopia()
  // then tells whether another copy holds it. A lock file that cannot be made at all
  // stops nothing here: the program's own first steps report what is wrong.
  ProgramaAbierto();
  bool otraCopia() const { return otraCopia_; }

 private:
  plat::File cerrojo_;
  bool otraCopia_ = false;
};

// True while a copy of the program holds the work folder. It only looks and keeps no
// lock, so a copy started at the same moment is not turned away because of it. Makes
// nothing: no folder, no file.
bool hayProgramaAbierto();

}  // namespace gescen
