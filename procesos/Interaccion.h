#pragma once
// What the runs need of the user interface. The dialogs implement it with windows;
// the command-line tool and the tests with plain code. The runs only tell and ask: what
// follows a run (closing the dialog for the host) is the front end's to decide.

#include <string>

#include "procesos/EstadoPrograma.h"

namespace procesos {

class Interaccion {
 public:
  virtual ~Interaccion() = default;
  // A message with one OK button; returns when the user has acknowledged it.
  virtual void mensaje(const std::string& texto) = 0;
  // The hourglass over the whole application, or the normal cursor.
  virtual void cursorEspera(bool activo) = 0;

  // The import's two checks, each a modal grid on its table. The teacher check edits
  // PROFT.DBF and returns true when no teacher was left without DNI as it closed; the
  // class-period check edits PLANTILLA.DBF. A front end without dialogs leaves the
  // tables as they are.
  virtual bool controlProfesores() { return false; }
  virtual void controlPlantilla() {}
};

}  // namespace procesos
