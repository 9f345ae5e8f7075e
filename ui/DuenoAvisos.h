#pragma once
// Who owns a box or a dialog of the program, the same in both front ends, from the
// program's state and the window it is shown from, never from whichever window happens
// to be the native parent:
// - a box of one of the program's own top-level windows (a check dialog of the import,
//   the help window) belongs to that window, which takes no input while it is up;
// - in host mode with a real handle, a box shown from the main dialog, or before it
//   exists, belongs to the host's window: the main dialog lies inside that window and,
//   being a child window, can own nothing;
// - otherwise a box of the main dialog belongs to it, and one shown before the dialog
//   exists belongs to no window.
// The check dialogs themselves are owned as the main dialog's boxes are.

#include "procesos/EstadoPrograma.h"

namespace ui {

enum class OrigenAviso {
  SinVentana,        // the program's start, before the main dialog exists
  DialogoPrincipal,  // the main dialog, inside the host's window in host mode
  VentanaPropia,     // a top-level window of the program's own over it
};

enum class DuenoAviso {
  Ninguno,           // no owner: the box stands alone
  VentanaAnfitrion,  // the host's window
  VentanaOrigen,     // the window it is shown from
};

DuenoAviso duenoDeAvisos(const procesos::EstadoPrograma& estado, OrigenAviso origen);

}  // namespace ui
