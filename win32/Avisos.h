#pragma once
// The program's message boxes on Windows: the application's title, one OK button, and
// the owner that a box needs in stand-alone use and inside the host's window.

#include <windows.h>

#include <string>

#include "procesos/EstadoPrograma.h"

namespace win32 {

// The window that owns the program's boxes and dialogs: the dialog itself, or the
// host's top-level window while the dialog lies inside the host's window (a child
// window of another program cannot own them).
HWND DuenoDeAvisos(const procesos::EstadoPrograma& estado, HWND dialogo);

// A box with the application's title, one OK button and `icono` (0 for none), owned by
// `dueno`; task-modal when there is no owner.
void Caja(HWND dueno, const std::string& texto, UINT icono);

// A box of the program's start, before the dialog exists (ui::AvisoArranque).
void AvisoArranque(const std::string& texto, bool error, const procesos::EstadoPrograma& estado);

}  // namespace win32
