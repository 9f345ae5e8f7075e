#pragma once
// The program-wide state: the result flag reported to the host, and the number of
// launch arguments (2 when the timetable generator started the program).

#include <cstdint>
#include <string>

namespace procesos {

struct EstadoPrograma {
  std::int32_t resultado = 0;
  std::int32_t numeroArgumentos = 0;
  // The host window's handle, as the second launch argument gave it; 0 stand-alone.
  std::uint32_t ventanaAnfitrion = 0;

  // Where the last import kept the GESCEN timetables it replaced; empty when none.
  std::string copiaHorarios;
  bool modoAnfitrion() const { return numeroArgumentos == 2; }
  // A window drawn inside another program's window cannot own a box or a dialog: while
  // the program is inside a real host window, they belong to the host's top-level
  // window instead. With handle 0 the dialog is a top-level window of its own.
  bool avisosDelAnfitrion() const { return modoAnfitrion() && ventanaAnfitrion != 0; }
};

}  // namespace procesos
