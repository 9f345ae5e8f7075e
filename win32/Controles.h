#pragma once
// The controls of a layout table as Win32 windows: the kind of window for each kind of
// control, its font, and its place inside its pane.

#include <windows.h>

#include "ui/Disposicion.h"

namespace win32 {

// The main dialog's window class.
inline constexpr const wchar_t* kClaseDialogo = L"TExportarDatos";

// A control's identifier: its place in the layout table, after a fixed base, so that
// a test can find each entry's window from the same table. Combo boxes number their
// own edit and list 1001 and 1000: the program's numbers lie well above.
inline constexpr int kIdPrimerControl = 2000;
inline constexpr int kIdPrimerPanel = 1900;

// The font of a layout entry; the fonts made live as long as the program.
HFONT fuente(const ui::Fuente& fuente);

// Creates the control inside its pane, with its font, caption and identifier.
HWND crearControl(HWND panel, const ui::Control& control, int id);

// The icon drawn on a button of the OK or close kind.
HICON glifo(ui::Clase clase);

}  // namespace win32
