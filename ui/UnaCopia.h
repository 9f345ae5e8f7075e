#pragma once
// One copy of the program per work folder: the first step of either front end, before
// it recovers, stages or reads anything. A second copy touches nothing: it says that
// the program is already open and ends.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gescen/ProgramaAbierto.h"
#include "procesos/EstadoPrograma.h"

namespace ui {

// Shows a box before the dialog exists: the text with the application's title and one
// OK button, with the error icon when `error`, owned as the program's boxes are in the
// mode that `estado` describes (by the host's window while started inside one).
using AvisoArranque = std::function<void(const std::string& texto, bool error,
                                         const procesos::EstadoPrograma& estado)>;

// True when this copy has the work folder (`programa` holds it from now on) and may go
// on. Otherwise another copy has it and this one does nothing of its own: started by
// the host, it first reports Transformado=0 in the host's settings file, since no run
// took place here (a 1 left by an earlier run must not read as success); then `avisar`
// shows gescen::kProgramaYaAbierto (and the settings file's error when it cannot be
// written), and false tells the front end to end.
bool primeraCopia(const gescen::ProgramaAbierto& programa,
                  const std::vector<std::string>& argumentos, const AvisoArranque& avisar);

// The host mode that the launch arguments give, as the creation handler would set it:
// two arguments whose second converts to a handle; anything else is stand-alone use.
procesos::EstadoPrograma estadoDeArgumentos(const std::vector<std::string>& argumentos);

// Writes the result flag under "Transformadores", "Transformado" of the host's settings
// file beside the program. Returns the error to show when the file cannot be written
// ("Unable to write to " and its path), or an empty text.
std::string escribirResultado(std::int32_t resultado);

}  // namespace ui
