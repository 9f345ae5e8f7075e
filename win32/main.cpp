// TransZorvexValencia for Windows: the main dialog TExportarDatos, stand-alone or inside
// the window of the timetable generator that launched it with two arguments.

#include <windows.h>
// After windows.h, whose types they use.
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "gescen/ProgramaAbierto.h"
#include "ui/ImportacionInterrumpida.h"
#include "ui/UnaCopia.h"
#include "win32/Avisos.h"
#include "win32/Texto.h"
#include "win32/VentanaPrincipal.h"

namespace {

// The arguments as given, without the program's name, as UTF-8.
std::vector<std::string> argumentos() {
  int n = 0;
  wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
  std::vector<std::string> out;
  for (int i = 1; i < n; ++i) out.push_back(win32::estrecho(w[i]));
  LocalFree(w);
  return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controles);

  // One copy of the program per work folder: a second one touches nothing and ends.
  const std::vector<std::string> args = argumentos();
  const gescen::ProgramaAbierto programa;
  if (!ui::primeraCopia(programa, args, win32::avisoArranque)) return 1;

  // An import killed while it put the timetables back is ended before anything else.
  ui::terminarImportacionInterrumpida(win32::avisoArranque);

  win32::VentanaPrincipal dialogo(instancia, args);
  dialogo.FormCreate();
  dialogo.mostrar();

  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    // Tab, Enter and the arrow keys move as in a dialog.
    if (dialogo.ventana() != nullptr && IsDialogMessageW(dialogo.ventana(), &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
