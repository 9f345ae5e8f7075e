#pragma once
// The program's message boxes on Windows: the application's title, one OK button, and
// the owner that ui::DuenoDeAvisos gives them.

#include <windows.h>

#include <string>

#include "procesos/EstadoPrograma.h"
#include "ui/DuenoAvisos.h"

namespace win32 {

// The window that owns a box or dialog shown from `ventana` (nullptr before the main
// dialog exists): that window, the host's top-level window (the host's handle may be a
// child window, which cannot own a box), or none.
HWND duenoDeAvisos(const procesos::EstadoPrograma& estado, ui::OrigenAviso origen, HWND ventana);

// A box with the application's title, one OK button and `icono` (0 for none), owned by
// `dueno`; task-modal when there is no owner.
void caja(HWND dueno, const std::string& texto, UINT icono);

// A box of the program's start, before the dialog exists (ui::AvisoArranque).
void avisoArranque(const std::string& texto, bool error, const procesos::EstadoPrograma& estado);

}  // namespace win32
