#pragma once
// The gradient pane: a child window filled top to bottom with three colours (start,
// middle, end) and a thin raised edge. The controls of a pane are its children; their
// notifications and colour requests go on to the dialog, which handles them all.

#include <windows.h>

#include "ui/Disposicion.h"

namespace win32 {

inline constexpr const wchar_t* kClasePanel = L"TzvPanelDegradado";

void registrarPanel(HINSTANCE instancia);
HWND crearPanel(HWND dialogo, const ui::Panel& panel, int id);

COLORREF colorWin(const ui::Color& color);

}  // namespace win32
