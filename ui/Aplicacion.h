#pragma once
// Application-wide settings of the program, the same in both front ends.

namespace ui {

// Caption of every message box the program shows.
inline constexpr const char* kTituloAplicacion = "TransZorvexValencia";
// Help file, looked up in the program's folder.
inline constexpr const char* kArchivoAyuda = "GESCEN.chm";
// Settings file of the host, in the program's folder.
inline constexpr const char* kArchivoAjustes = "Zorvex.ini";
// The help context of the dialogs and of every control that takes the focus.
inline constexpr int kContextoAyuda = 1;

}  // namespace ui
