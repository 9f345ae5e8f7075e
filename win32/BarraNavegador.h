#pragma once
// The record navigator on Windows: ten buttons in a row, drawn by the control itself,
// each with its glyph and its hint as a tooltip, enabled as the dataset's state allows
// (ui/Navegador). It never takes the focus, so using it leaves the focus in the grid.

#include <windows.h>

#include <functional>

#include "ui/ConjuntoDatos.h"
#include "ui/Disposicion.h"
#include "ui/Navegador.h"

namespace win32 {

inline constexpr const wchar_t* kClaseNavegador = L"TzvNavegador";

void registrarNavegador(HINSTANCE instancia);
// `alPulsar` runs each click's operation, so that the dialog can show its errors.
HWND crearNavegador(HWND padre, const ui::Control& control, int id, ui::ConjuntoDatos& datos,
                    std::function<void(std::function<void()>)> alPulsar);
// Redraws the buttons after the dataset's state changed.
void actualizarNavegador(HWND navegador);

}  // namespace win32
