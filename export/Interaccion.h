#pragma once
// What the runs need of the user interface and of the program-wide state. The dialogs
// implement it with windows; the command-line tool and the tests with plain code.

#include <cstdint>
#include <string>

namespace tzv {

// Program-wide state: the result flag reported to the host, and the number of launch
// arguments (2 when the timetable generator started the program).
struct EstadoPrograma {
  std::int32_t resultado = 0;
  std::int32_t numeroArgumentos = 0;
  bool modoAnfitrion() const { return numeroArgumentos == 2; }
};

class Interaccion {
 public:
  virtual ~Interaccion() = default;
  // A message with one OK button; returns when the user has acknowledged it.
  virtual void mensaje(const std::string& texto) = 0;
  // The hourglass over the whole application, or the normal cursor.
  virtual void cursorEspera(bool activo) = 0;
  // Closes the main dialog, which ends the program (host mode).
  virtual void cerrarDialogo() = 0;

  // The import's two checks, each a modal grid on its table. The teacher check edits
  // PROFT.DBF and returns true when no teacher was left without DNI as it closed; the
  // class-period check edits PLANTILLA.DBF. A front end without dialogs leaves the
  // tables as they are.
  virtual bool controlProfesores() { return false; }
  virtual void controlPlantilla() {}
};

}  // namespace tzv
