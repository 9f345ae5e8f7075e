// tzv-probar-dialogo: drives transzorvex.exe from outside, as a user and as the
// timetable generator do, through Win32 calls only.
//
//   tzv-probar-dialogo disposicion PANELES [ARGUMENTOS...]
//       makes the main dialog in this process with the arguments, as transzorvex.exe
//       does, and checks every entry of its layout table against the real window, fonts
//       included (PANELES: "11" both upper panes shown, "10" export only, "01" import
//       only); then closes it.
//   tzv-probar-dialogo segunda PROGRAMA
//       starts PROGRAMA stand-alone while another copy of the program (either front
//       end) holds the work folder: it must show one box saying that the program is
//       open, and end once it is answered.
//   tzv-probar-dialogo comprobacion profesores|plantilla
//       makes that check dialog of the import in this process, on the tables an import
//       left (C:\ZORVTMP\PROFT.DBF, C:\ZORVTMP\Valencia\PLANTILLA.DBF), and checks
//       every entry of its layout table against the real window, and that the grid's
//       columns show their declared number of digits in full; then closes it.
//   tzv-probar-dialogo teclas
//       makes the teacher check in this process on the PROFT.DBF an import left and
//       drives its grid from the keyboard: Tab, Shift+Tab, Enter, Shift+Enter, Ctrl+Tab
//       and Escape must move the current cell or the focus as the grid's rule says; a
//       record whose changes Escape dropped twice stays as it was in the file, one
//       left with a single Escape keeps its name and not the number given up.
//   tzv-probar-dialogo anfitrion PROGRAMA salir|exportar|enter|ayuda|importar|sin-dni|
//                                         segunda-copia
//       makes a host window with a child panel, starts "PROGRAMA exportar <panel>" (or
//       "importar <panel>") as the timetable generator does, checks the dialog inside
//       the panel, presses Escape (which must do nothing), then presses Salir, or
//       Aceptar of the export, or Enter in the folder list, or F1 and then "F1 AYUDA"
//       and then Salir, or Aceptar of the import, and acknowledges every box until the
//       program ends. In the import's teacher check it types a DNI for every teacher
//       without one (20000001, 20000002... in the table's order), after a refused value
//       in the first; with sin-dni it leaves them; it closes both checks with Salir.
//       With segunda-copia, before the export, PROGRAMA is started again stand-alone and
//       then inside the panel: each second copy must show one box saying that the
//       program is open (owned by the host's window when started inside it), end once
//       it is answered, leave the staging folder as it was and, started by the host,
//       leave Transformado=0 in Zorvex.ini beside the program; the first copy's dialog
//       stays. Then it writes segunda-copia.listo beside this program and waits for
//       segunda-copia.sigue there (the caller tries other programs meanwhile).
//
// Prints one line per fault and ends with 1 when there was any; prints the boxes'
// texts as "caja: TEXT".

#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dbf/Table.h"
#include "gescen/ProgramaAbierto.h"
#include "ui/Aplicacion.h"
#include "ui/Disposicion.h"
#include "win32/Controles.h"
#include "win32/DialogoComprobacion.h"
#include "win32/Rejilla.h"
#include "win32/Texto.h"
#include "win32/VentanaPrincipal.h"

namespace {

const ui::Dialogo& g_kDialogo = ui::dialogoPrincipal();
int g_fallos = 0;

void fallo(const std::string& texto) {
  std::printf("FALLO %s\n", texto.c_str());
  std::fflush(stdout);
  ++g_fallos;
}

// Lets this thread's windows work while waiting.
void atenderMensajes(DWORD milisegundos) {
  const DWORD fin = GetTickCount() + milisegundos;
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(20);
  } while (GetTickCount() < fin);
}

PROCESS_INFORMATION arrancar(const std::wstring& programa, const std::vector<std::wstring>& args) {
  std::wstring linea = L"\"" + programa + L"\"";
  for (const std::wstring& a : args) linea += L" \"" + a + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  // From the program's own folder, as the generator starts it.
  std::wstring carpeta = programa.substr(0, programa.find_last_of(L"\\/"));
  if (!CreateProcessW(programa.c_str(), linea.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      carpeta.c_str(), &si, &pi)) {
    fallo("no se pudo arrancar " + win32::estrecho(programa));
    std::exit(1);
  }
  return pi;
}

struct Busqueda {
  DWORD proceso;
  const wchar_t* clase;
  HWND hallada;
};

BOOL CALLBACK siEsDelProceso(HWND h, LPARAM l) {
  auto* b = reinterpret_cast<Busqueda*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t clase[64] = {};
  GetClassNameW(h, clase, 64);
  if (pid == b->proceso && std::wstring(clase) == b->clase && IsWindowVisible(h)) {
    b->hallada = h;
    return FALSE;
  }
  return TRUE;
}

// A visible window of that class belonging to the process: top-level, or a child of
// `padre`.
HWND ventanaDe(DWORD proceso, const wchar_t* clase, HWND padre = nullptr) {
  Busqueda b{proceso, clase, nullptr};
  if (padre != nullptr)
    EnumChildWindows(padre, siEsDelProceso, reinterpret_cast<LPARAM>(&b));
  else
    EnumWindows(siEsDelProceso, reinterpret_cast<LPARAM>(&b));
  return b.hallada;
}

HWND esperarVentana(DWORD proceso, const wchar_t* clase, HWND padre = nullptr) {
  for (int i = 0; i < 300; ++i) {
    if (HWND h = ventanaDe(proceso, clase, padre)) return h;
    atenderMensajes(50);
  }
  fallo("no apareció la ventana " + win32::estrecho(clase));
  std::exit(1);
}

HWND hijo(HWND dialogo, int id) {
  struct Id {
    int id;
    HWND h;
  } buscado{id, nullptr};
  EnumChildWindows(
      dialogo,
      [](HWND h, LPARAM l) -> BOOL {
        auto* b = reinterpret_cast<Id*>(l);
        if (GetDlgCtrlID(h) != b->id) return TRUE;
        b->h = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&buscado));
  return buscado.h;
}

HWND control(HWND dialogo, std::string_view nombre) {
  for (std::size_t i = 0; i < g_kDialogo.controles.size(); ++i)
    if (g_kDialogo.controles[i].nombre == nombre)
      return hijo(dialogo, win32::kIdPrimerControl + static_cast<int>(i));
  return nullptr;
}

RECT enCliente(HWND ventana, HWND dialogo) {
  RECT r;
  GetWindowRect(ventana, &r);
  MapWindowPoints(HWND_DESKTOP, dialogo, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string caja(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

std::string caja(const ui::Caja& c) { return caja(RECT{c.x, c.y, c.x + c.ancho, c.y + c.alto}); }

// A window's text, from this process or another.
std::string textoDe(HWND h) {
  wchar_t t[512] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 2000, &n);
  return win32::estrecho(t);
}

// The font a control was given: only within the process that made it.
void comprobarFuente(HWND h, const ui::Control& c) {
  const std::string nombre(c.nombre);
  LOGFONTW f = {};
  HFONT fuente = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
  if (fuente == nullptr || GetObjectW(fuente, sizeof f, &f) == 0) {
    fallo(nombre + ": sin fuente");
    return;
  }
  if (win32::estrecho(f.lfFaceName) != c.fuente.cara || f.lfHeight != -c.fuente.pixeles ||
      (f.lfWeight >= FW_BOLD) != c.fuente.negrita || (f.lfUnderline != 0) != c.fuente.subrayada)
    fallo(nombre + ": fuente " + win32::estrecho(f.lfFaceName) + " " + std::to_string(-f.lfHeight) +
          " peso " + std::to_string(f.lfWeight));
}

// Every pane and control where the layout puts it, with its text, and its font when
// the dialog lives in this process.
void comprobarDisposicion(HWND dialogo, bool exportar, bool importar, bool fuentes) {
  RECT cliente;
  GetClientRect(dialogo, &cliente);
  if (cliente.right != g_kDialogo.ancho || cliente.bottom != g_kDialogo.alto)
    fallo("área cliente " + caja(cliente));
  for (std::size_t i = 0; i < g_kDialogo.paneles.size(); ++i) {
    const ui::Panel& p = g_kDialogo.paneles[i];
    HWND h = hijo(dialogo, win32::kIdPrimerPanel + static_cast<int>(i));
    const bool visible = p.nombre == "Draw3D2" ? exportar : p.nombre == "Draw3D3" ? importar : true;
    const std::string nombre(p.nombre);
    if (h == nullptr) {
      fallo(nombre + ": no existe");
      continue;
    }
    if ((IsWindowVisible(h) != FALSE) != visible) fallo(nombre + ": visibilidad");
    if (!visible) continue;
    const ui::Caja esperada = ui::cajaPanelPrincipal(p.nombre, exportar, importar);
    if (caja(enCliente(h, dialogo)) != caja(esperada))
      fallo(nombre + ": " + caja(enCliente(h, dialogo)) + " en vez de " + caja(esperada));
  }
  for (const ui::Control& c : g_kDialogo.controles) {
    const std::string nombre(c.nombre);
    HWND h = control(dialogo, c.nombre);
    if (h == nullptr) {
      fallo(nombre + ": no existe");
      continue;
    }
    const bool visible = c.panel == "Draw3D2" ? exportar : c.panel == "Draw3D3" ? importar : true;
    if ((IsWindowVisible(h) != FALSE) != visible) fallo(nombre + ": visibilidad");
    if (!visible) continue;
    const ui::Caja panel = ui::cajaPanelPrincipal(c.panel, exportar, importar);
    const RECT r = enCliente(h, dialogo);
    const ui::Caja esperada{panel.x + c.caja.x, panel.y + c.caja.y, c.caja.ancho, c.caja.alto};
    if (c.caja.ancho == 0) {
      // Sized to its text.
      if (r.left != esperada.x || r.top != esperada.y || r.right <= r.left)
        fallo(nombre + ": " + caja(r) + " en vez de " + std::to_string(esperada.x) + "," +
              std::to_string(esperada.y));
    } else if (caja(r) != caja(esperada)) {
      fallo(nombre + ": " + caja(r) + " en vez de " + caja(esperada));
    }
    const bool conTexto = c.clase == ui::Clase::Etiqueta || c.clase == ui::Clase::Boton ||
                          c.clase == ui::Clase::BotonAceptar || c.clase == ui::Clase::BotonCerrar ||
                          c.clase == ui::Clase::DesplegableTexto;
    if (conTexto && textoDe(h) != c.texto) fallo(nombre + ": texto «" + textoDe(h) + "»");
    if (fuentes) comprobarFuente(h, c);
  }
}

// Prints a box's text, checks its owner, presses OK and waits for it to go.
void contestar(HWND caja, HWND duenoEsperado) {
  std::printf("caja: %s\n", textoDe(GetDlgItem(caja, 0xFFFF)).c_str());
  std::fflush(stdout);
  if (duenoEsperado != nullptr && GetWindow(caja, GW_OWNER) != duenoEsperado)
    fallo("la caja no pertenece a la ventana del anfitrión");
  PostMessageW(GetDlgItem(caja, IDOK), BM_CLICK, 0, 0);
  for (int j = 0; j < 100 && IsWindow(caja); ++j) atenderMensajes(20);
}

void esperarYContestar(const PROCESS_INFORMATION& pi, HWND duenoEsperado);

// A control of a check dialog, by its name in the dialog's layout table.
HWND controlDe(HWND dialogo, const ui::Dialogo& d, std::string_view nombre) {
  for (std::size_t i = 0; i < d.controles.size(); ++i)
    if (d.controles[i].nombre == nombre)
      return hijo(dialogo, win32::kIdPrimerControl + static_cast<int>(i));
  return nullptr;
}

// The grid's editor, once it is open.
HWND esperarEditor(HWND rejilla) {
  for (int i = 0; i < 100; ++i) {
    if (HWND e = FindWindowExW(rejilla, nullptr, L"EDIT", nullptr)) return e;
    atenderMensajes(20);
  }
  fallo("la rejilla no abrió su editor");
  return nullptr;
}

// Types a text into the current cell as a user would: the first character opens the
// editor, Enter ends it.
HWND teclear(HWND rejilla, const std::wstring& texto) {
  PostMessageW(rejilla, WM_CHAR, texto[0], 0);
  HWND editor = esperarEditor(rejilla);
  SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texto.c_str()));
  SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
  PostMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
  atenderMensajes(200);
  return editor;
}

void teclas(HWND ventana, WPARAM tecla, int veces) {
  for (int i = 0; i < veces; ++i) PostMessageW(ventana, WM_KEYDOWN, tecla, 0);
  atenderMensajes(100);
}

// The teacher check: a DNI for every teacher without one, in the table's order; the
// first after a refused value, which must leave the editor open on the same record.
void darDnis(const PROCESS_INFORMATION& pi, HWND dialogo, HWND dueno) {
  const ui::Dialogo& d = ui::dialogoControlProfesores();
  HWND rejilla = controlDe(dialogo, d, "ProftDBGrid");
  std::vector<int> sinDni;
  {
    dbf::Table proft;
    proft.setTableName("C:\\ZORVTMP\\PROFT.DBF");
    proft.setExclusive(false);
    proft.open();
    int fila = 0;
    for (proft.first(); !proft.eof(); proft.next(), ++fila)
      if (proft.asInteger("DNI") == 0) sinDni.push_back(fila);
  }
  constexpr int kColumnaDni = 2;
  int fila = 0, columna = 0;
  for (std::size_t n = 0; n < sinDni.size(); ++n) {
    teclas(rejilla, VK_DOWN, sinDni[n] - fila);
    teclas(rejilla, columna < kColumnaDni ? VK_RIGHT : VK_LEFT, std::abs(kColumnaDni - columna));
    fila = sinDni[n];
    if (n == 0) {
      HWND editor = teclear(rejilla, L"12a");
      esperarYContestar(pi, dialogo);
      RECT antes, despues;
      GetWindowRect(editor, &antes);
      if (!IsWindow(editor) || textoDe(editor) != "12a")
        fallo("el valor rechazado no quedó en el editor");
      GetWindowRect(editor, &despues);
      if (antes.top != despues.top) fallo("el valor rechazado movió el editor de fila");
      SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20000001"));
      SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
      PostMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
      atenderMensajes(200);
    } else {
      teclear(rejilla, std::to_wstring(20000001 + n));
    }
    columna = kColumnaDni + 1;  // Enter moved to the next cell
  }
  (void)dueno;
}

// Answers every box the program shows until it ends, and closes the import's check
// dialogs with Salir (giving the missing DNIs first when `dnis`), checking that the main
// dialog takes no input meanwhile; returns the exit code.
DWORD acompanar(const PROCESS_INFORMATION& pi, HWND duenoEsperado, bool dnis = false,
                HWND principal = nullptr) {
  for (int i = 0; i < 3000; ++i) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    if (HWND caja = ventanaDe(pi.dwProcessId, L"#32770")) contestar(caja, duenoEsperado);
    for (const ui::Dialogo* d : {&ui::dialogoControlProfesores(), &ui::dialogoControlPlantilla()}) {
      const std::wstring clase = L"T" + win32::ancho(d->nombre);
      HWND dialogo = ventanaDe(pi.dwProcessId, clase.c_str());
      if (dialogo == nullptr) continue;
      std::printf("dialogo: %s\n", win32::estrecho(clase).c_str());
      std::fflush(stdout);
      if (duenoEsperado != nullptr && GetWindow(dialogo, GW_OWNER) != duenoEsperado)
        fallo("el diálogo de comprobación no pertenece a la ventana del anfitrión");
      if (principal != nullptr && IsWindowEnabled(principal))
        fallo("el diálogo principal admite entradas con el de comprobación a la vista");
      atenderMensajes(300);
      if (dnis && d == &ui::dialogoControlProfesores()) darDnis(pi, dialogo, duenoEsperado);
      // TZV_PAUSA_DIALOGOS=ms leaves each check dialog up that long, for a screenshot.
      if (const char* pausa = std::getenv("TZV_PAUSA_DIALOGOS")) atenderMensajes(std::atoi(pausa));
      PostMessageW(controlDe(dialogo, *d, "BitBtn1"), BM_CLICK, 0, 0);
      for (int j = 0; j < 100 && IsWindowVisible(dialogo); ++j) atenderMensajes(20);
    }
    atenderMensajes(50);
  }
  DWORD codigo = STILL_ACTIVE;
  if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
    fallo("el programa no terminó");
    TerminateProcess(pi.hProcess, 1);
  }
  GetExitCodeProcess(pi.hProcess, &codigo);
  return codigo;
}

// Waits for one box of the program and answers it.
void esperarYContestar(const PROCESS_INFORMATION& pi, HWND duenoEsperado) {
  for (int i = 0; i < 200; ++i) {
    if (HWND caja = ventanaDe(pi.dwProcessId, L"#32770")) {
      contestar(caja, duenoEsperado);
      return;
    }
    atenderMensajes(50);
  }
  fallo("no apareció ninguna caja");
}

// The window's frame: a fixed dialog frame with a caption stand-alone; in host mode with
// handle 0 a top-level window without frame or caption at 2, 2 on the screen.
void comprobarMarco(HWND dialogo, bool anfitrion) {
  const LONG_PTR estilo = GetWindowLongPtrW(dialogo, GWL_STYLE);
  if ((estilo & (WS_THICKFRAME | WS_MAXIMIZEBOX)) != 0) fallo("el diálogo se puede redimensionar");
  if (((estilo & WS_CAPTION) == WS_CAPTION) == anfitrion) fallo("título del diálogo");
  if (!anfitrion && win32::textoDe(dialogo) != g_kDialogo.titulo)
    fallo("título «" + win32::textoDe(dialogo) + "»");
  if (anfitrion) {
    RECT r;
    GetWindowRect(dialogo, &r);
    if (caja(r) != "2,2 599x267") fallo("el diálogo está en " + caja(r));
  }
}

int disposicion(const std::wstring& paneles, const std::vector<std::wstring>& argumentos) {
  INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controles);
  std::vector<std::string> args;
  for (const std::wstring& a : argumentos) args.push_back(win32::estrecho(a));
  win32::VentanaPrincipal dialogo(GetModuleHandleW(nullptr), args);
  dialogo.FormCreate();
  dialogo.mostrar();
  atenderMensajes(300);
  comprobarMarco(dialogo.ventana(), args.size() == 2);
  comprobarDisposicion(dialogo.ventana(), paneles[0] == L'1', paneles[1] == L'1', true);
  SendMessageW(dialogo.ventana(), WM_CLOSE, 0, 0);
  atenderMensajes(100);
  return g_fallos == 0 ? 0 : 1;
}

// A check dialog where its layout puts it, every control with its text and font, and
// room in each column for its declared number of digits.
int comprobacion(const std::wstring& cual) {
  INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controles);
  const bool profesores = cual == L"profesores";
  win32::DialogoComprobacion dialogo(
      GetModuleHandleW(nullptr),
      profesores ? ui::Comprobacion::Profesores : ui::Comprobacion::Plantilla,
      procesos::EstadoPrograma{}, nullptr, {});
  const ui::Dialogo& d =
      profesores ? ui::dialogoControlProfesores() : ui::dialogoControlPlantilla();
  HWND v = dialogo.ventana();
  ShowWindow(v, SW_SHOW);
  atenderMensajes(300);
  RECT r, cliente;
  GetWindowRect(v, &r);
  GetClientRect(v, &cliente);
  if (r.left != d.x || r.top != d.y) fallo("el diálogo está en " + caja(r));
  if (cliente.right != d.ancho || cliente.bottom != d.alto) fallo("área cliente " + caja(cliente));
  if (win32::textoDe(v) != d.titulo) fallo("título «" + win32::textoDe(v) + "»");
  for (std::size_t i = 0; i < d.controles.size(); ++i) {
    const ui::Control& c = d.controles[i];
    const std::string nombre(c.nombre);
    HWND h = hijo(v, win32::kIdPrimerControl + static_cast<int>(i));
    if (h == nullptr || !IsWindowVisible(h)) {
      fallo(nombre + ": no se ve");
      continue;
    }
    const ui::Caja panel = d.panel(c.panel).caja;
    const ui::Caja esperada{panel.x + c.caja.x, panel.y + c.caja.y, c.caja.ancho, c.caja.alto};
    if (caja(enCliente(h, v)) != caja(esperada))
      fallo(nombre + ": " + caja(enCliente(h, v)) + " en vez de " + caja(esperada));
    const bool conTexto = c.clase == ui::Clase::Etiqueta || c.clase == ui::Clase::BotonCerrar;
    if (conTexto && textoDe(h) != c.texto) fallo(nombre + ": texto «" + textoDe(h) + "»");
    if (conTexto) comprobarFuente(h, c);
  }
  // Each column shows its declared number of digits in full, within its margins.
  HWND rejilla = dialogo.rejilla();
  HDC dc = GetDC(rejilla);
  HGDIOBJ antes = SelectObject(dc, win32::fuente(d.fuente));
  for (const ui::Columna& c : d.columnas) {
    const std::wstring cifras(static_cast<std::size_t>(c.caracteres), L'8');
    SIZE s;
    GetTextExtentPoint32W(dc, cifras.c_str(), static_cast<int>(cifras.size()), &s);
    const int ancho =
        win32::Rejilla::de(rejilla)->anchoColumna(c.caracteres, std::string(c.titulo));
    if (ancho < s.cx + 4)
      fallo(std::string(c.campo) + ": " + std::to_string(ancho) + " píxeles para " +
            std::to_string(s.cx));
  }
  SelectObject(dc, antes);
  ReleaseDC(rejilla, dc);
  return g_fallos == 0 ? 0 : 1;
}

// --- the grid's keys ------------------------------------------------------------

// A key pressed on the keyboard as the system gets it (SendInput), with Shift and Ctrl
// held down around it when asked: it reaches the focused window through the dialog's
// own message loop.
struct Tecla {
  WORD vk;
  bool mayusculas = false;
  bool control = false;
};

void pulsar(const Tecla& t) {
  std::vector<INPUT> entrada;
  auto una = [&](WORD vk, bool soltar) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = soltar ? KEYEVENTF_KEYUP : 0;
    entrada.push_back(i);
  };
  if (t.control) una(VK_CONTROL, false);
  if (t.mayusculas) una(VK_SHIFT, false);
  una(t.vk, false);
  una(t.vk, true);
  if (t.mayusculas) una(VK_SHIFT, true);
  if (t.control) una(VK_CONTROL, true);
  SendInput(static_cast<UINT>(entrada.size()), entrada.data(), sizeof(INPUT));
}

enum class Foco { Rejilla, Editor, Salir };

// One step of the user at the teacher check's grid: keys, then where the current cell
// and the focus are (fila -1: the last row).
struct PasoTeclas {
  const char* que;
  std::vector<Tecla> teclas;
  int fila, columna;
  Foco foco;
};

constexpr int kNombre = 1, kDni = 2, kDepart = 3;
const Tecla kTab{VK_TAB}, kShiftTab{VK_TAB, true}, kCtrlTab{VK_TAB, false, true}, kEnter{VK_RETURN},
    kShiftEnter{VK_RETURN, true}, kEscape{VK_ESCAPE}, kAbajo{VK_DOWN};

const std::vector<PasoTeclas>& pasosTeclas() {
  static const std::vector<PasoTeclas> pasos = {
      {"tab", {kTab}, 0, kNombre, Foco::Rejilla},
      {"tab hasta la fila siguiente", {kTab, kTab, kTab}, 1, 0, Foco::Rejilla},
      {"mayúsculas y tab a la fila anterior", {kShiftTab}, 0, kDepart, Foco::Rejilla},
      {"mayúsculas y enter", {kShiftEnter}, 0, kDni, Foco::Rejilla},
      {"enter", {kEnter}, 0, kDepart, Foco::Rejilla},
      {"enter a la fila siguiente", {kEnter}, 1, 0, Foco::Rejilla},
      {"mayúsculas y enter a la fila anterior", {kShiftEnter}, 0, kDepart, Foco::Rejilla},
      {"control y tab sale de la rejilla", {kCtrlTab}, 0, kDepart, Foco::Salir},
      {"mayúsculas y tab vuelve a la rejilla", {kShiftTab}, 0, kDepart, Foco::Rejilla},
      {"a NOMBRE", {kShiftTab, kShiftTab}, 0, kNombre, Foco::Rejilla},
      // The first record: a name handed to the record, a number typed, Escape twice.
      {"un nombre tecleado y enter", {{'1'}, {'2'}, {'3'}, kEnter}, 0, kDni, Foco::Rejilla},
      {"un DNI tecleado", {{'5'}}, 0, kDni, Foco::Editor},
      {"escape cierra el editor", {kEscape}, 0, kDni, Foco::Rejilla},
      {"escape otra vez descarta el registro", {kEscape}, 0, kDni, Foco::Rejilla},
      {"otra fila", {kAbajo}, 1, kDni, Foco::Rejilla},
      // The second: the same with one Escape; the name is stored on leaving the row.
      {"a NOMBRE de la segunda fila", {kShiftTab}, 1, kNombre, Foco::Rejilla},
      {"otro nombre tecleado y enter", {{'4'}, {'5'}, {'6'}, kEnter}, 1, kDni, Foco::Rejilla},
      {"otro DNI tecleado", {{'7'}}, 1, kDni, Foco::Editor},
      {"escape una vez", {kEscape}, 1, kDni, Foco::Rejilla},
      {"a la fila siguiente", {kAbajo}, 2, kDni, Foco::Rejilla},
      {"a la última celda", {{VK_END, false, true}, {VK_END}}, -1, kDepart, Foco::Rejilla},
      {"tab en la última celda sale de la rejilla", {kTab}, -1, kDepart, Foco::Salir},
  };
  return pasos;
}

struct GuionTeclas {
  win32::DialogoComprobacion* dialogo = nullptr;
  std::size_t paso = 0;
  int filas = 0;
};
GuionTeclas g_guionTeclas;

// Each tick checks the step before and takes the next; the keys of a step are handled
// before the next tick comes, timers being the last messages a loop takes.
void CALLBACK siguientePaso(HWND, UINT, UINT_PTR id, DWORD) {
  GuionTeclas& g = g_guionTeclas;
  const auto& pasos = pasosTeclas();
  HWND rejilla = g.dialogo->rejilla();
  const win32::Rejilla* r = win32::Rejilla::de(rejilla);
  HWND salir = controlDe(g.dialogo->ventana(), ui::dialogoControlProfesores(), "BitBtn1");
  if (g.paso > 0) {
    const PasoTeclas& p = pasos[g.paso - 1];
    const int fila = p.fila < 0 ? g.filas - 1 : p.fila;
    HWND foco = GetFocus();
    const Foco visto = foco == salir                            ? Foco::Salir
                       : foco != nullptr && foco == r->editor() ? Foco::Editor
                       : foco == rejilla                        ? Foco::Rejilla
                                                                : Foco(-1);
    if (r->filaActual() != fila || r->columnaActual() != p.columna || visto != p.foco)
      fallo(std::string(p.que) + ": celda " + std::to_string(r->filaActual()) + "," +
            std::to_string(r->columnaActual()) + ", foco " + std::to_string(int(visto)));
  }
  if (g.paso == pasos.size()) {
    KillTimer(nullptr, id);
    PostMessageW(salir, BM_CLICK, 0, 0);
    return;
  }
  if (g.paso == 0) SetForegroundWindow(g.dialogo->ventana());
  for (const Tecla& t : pasos[g.paso].teclas) pulsar(t);
  ++g.paso;
}

// The teacher check on C:\ZORVTMP\PROFT.DBF, driven from the keyboard: Tab, Shift+Tab,
// Enter, Shift+Enter, Ctrl+Tab and Escape move the cell or the focus as the grid's rule
// says, and what Escape dropped never reaches the file.
int teclas() {
  INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controles);
  struct Registro {
    std::string nombre;
    std::int64_t dni;
  };
  auto leer = [] {
    std::vector<Registro> v;
    dbf::Table proft;
    proft.setTableName("C:\\ZORVTMP\\PROFT.DBF");
    proft.setExclusive(false);
    proft.open();
    for (proft.first(); !proft.eof(); proft.next())
      v.push_back({proft.asString("NOMBRE"), proft.asInteger("DNI")});
    return v;
  };
  const std::vector<Registro> antes = leer();
  if (antes.size() < 3) {
    fallo("PROFT.DBF tiene " + std::to_string(antes.size()) + " profesores");
    return 1;
  }
  {
    win32::DialogoComprobacion dialogo(GetModuleHandleW(nullptr), ui::Comprobacion::Profesores,
                                       procesos::EstadoPrograma{}, nullptr, {});
    g_guionTeclas = {&dialogo, 0, static_cast<int>(antes.size())};
    SetTimer(nullptr, 0, 150, siguientePaso);
    dialogo.ejecutar(nullptr);
  }
  if (g_guionTeclas.paso != pasosTeclas().size()) fallo("el diálogo se cerró antes de tiempo");
  const std::vector<Registro> despues = leer();
  if (despues.size() != antes.size()) fallo("cambió el número de profesores");
  const auto comparar = [&](std::size_t i, const std::string& nombre, std::int64_t dni) {
    if (i < despues.size() && (despues[i].nombre != nombre || despues[i].dni != dni))
      fallo("profesor " + std::to_string(i) + ": «" + despues[i].nombre + "» " +
            std::to_string(despues[i].dni) + " en vez de «" + nombre + "» " + std::to_string(dni));
  };
  comparar(0, antes[0].nombre, antes[0].dni);
  comparar(1, "456", antes[1].dni);
  comparar(2, antes[2].nombre, antes[2].dni);
  return g_fallos == 0 ? 0 : 1;
}

std::string leerArchivo(const std::filesystem::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::ostringstream o;
  o << f.rdbuf();
  return o.str();
}

// Every file below a folder with its last write and its bytes.
std::map<std::string, std::string> foto(const std::filesystem::path& carpeta) {
  std::map<std::string, std::string> archivos;
  for (const auto& e : std::filesystem::recursive_directory_iterator(carpeta)) {
    if (!e.is_regular_file()) continue;
    archivos[e.path().lexically_relative(carpeta).string()] =
        std::to_string(e.last_write_time().time_since_epoch().count()) + " " +
        leerArchivo(e.path());
  }
  return archivos;
}

// A copy started while the first holds the work folder: one box that says so, owned by
// `duenoEsperado` (nullptr: none), then its end.
void segundaCopia(const std::wstring& programa, const std::vector<std::wstring>& args,
                  HWND duenoEsperado, const std::string& nombre) {
  const PROCESS_INFORMATION pi = arrancar(programa, args);
  HWND caja = nullptr;
  for (int i = 0; i < 300 && caja == nullptr; ++i) {
    caja = ventanaDe(pi.dwProcessId, L"#32770");
    if (caja == nullptr) atenderMensajes(50);
  }
  if (caja == nullptr) {
    fallo(nombre + ": la segunda copia no mostró ninguna caja");
    TerminateProcess(pi.hProcess, 1);
    return;
  }
  if (win32::textoDe(caja) != ui::kTituloAplicacion)
    fallo(nombre + ": la caja se titula «" + win32::textoDe(caja) + "»");
  if (textoDe(GetDlgItem(caja, 0xFFFF)) != gescen::kProgramaYaAbierto)
    fallo(nombre + ": la caja dice «" + textoDe(GetDlgItem(caja, 0xFFFF)) + "»");
  if (GetWindow(caja, GW_OWNER) != duenoEsperado) fallo(nombre + ": la caja tiene otro dueño");
  contestar(caja, duenoEsperado);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    fallo(nombre + ": la segunda copia no terminó tras su caja");
    TerminateProcess(pi.hProcess, 1);
  }
  DWORD codigo = 0;
  GetExitCodeProcess(pi.hProcess, &codigo);
  if (codigo == 0) fallo(nombre + ": la segunda copia terminó con 0");
  if (ventanaDe(pi.dwProcessId, win32::kClaseDialogo) != nullptr)
    fallo(nombre + ": la segunda copia abrió su diálogo");
}

// Two more copies while the first one is open in the panel, then a pause for the
// caller's programs.
void segundasCopias(const std::wstring& programa, const std::wstring& hex, HWND principal,
                    HWND panel, HWND dialogo) {
  const std::filesystem::path carpeta = programa.substr(0, programa.find_last_of(L"\\/"));
  const std::filesystem::path staging = L"C:\\ZORVTMP\\VALENCIA";
  const auto antes = foto(staging);
  if (antes.empty()) fallo("la primera copia no copió los archivos de GESCEN");
  const std::string ajustes = leerArchivo(carpeta / L"Zorvex.ini");

  segundaCopia(programa, {}, nullptr, "sola");
  if (leerArchivo(carpeta / L"Zorvex.ini") != ajustes)
    fallo("la segunda copia sola escribió Zorvex.ini");
  segundaCopia(programa, {L"importar", hex}, principal, "en el anfitrión");
  if (leerArchivo(carpeta / L"Zorvex.ini") != "[Transformadores]\r\nTransformado=0\r\n")
    fallo("la segunda copia en el anfitrión dejó Zorvex.ini así: " +
          leerArchivo(carpeta / L"Zorvex.ini"));
  if (foto(staging) != antes) fallo("una segunda copia tocó la carpeta de staging");
  if (!IsWindow(dialogo) || GetParent(dialogo) != panel) fallo("la primera copia dejó el panel");

  // The caller's turn: the command-line tools (and the other front end) meet the open
  // program.
  wchar_t propio[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, propio, MAX_PATH);
  const std::filesystem::path aqui = std::filesystem::path(propio).parent_path();
  std::ofstream(aqui / L"segunda-copia.listo").put('\n');
  std::printf("esperando a segunda-copia.sigue\n");
  std::fflush(stdout);
  for (int i = 0; i < 1200 && !std::filesystem::exists(aqui / L"segunda-copia.sigue"); ++i)
    atenderMensajes(100);
  if (!std::filesystem::exists(aqui / L"segunda-copia.sigue"))
    fallo("nadie escribió segunda-copia.sigue");
  if (foto(staging) != antes) fallo("los programas de fuera tocaron la carpeta de staging");
}

LRESULT CALLBACK ventanaAnfitrion(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcW(h, m, w, l);
}

int anfitrion(const std::wstring& programa, const std::wstring& accion) {
  WNDCLASSW clase = {};
  clase.lpfnWndProc = ventanaAnfitrion;
  clase.hInstance = GetModuleHandleW(nullptr);
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  clase.lpszClassName = L"TzvAnfitrion";
  RegisterClassW(&clase);
  HWND principal =
      CreateWindowExW(0, L"TzvAnfitrion", L"Anfitrión", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 760,
                      420, nullptr, nullptr, clase.hInstance, nullptr);
  HWND panel = CreateWindowExW(0, L"TzvAnfitrion", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                               30, 700, 320, principal, nullptr, clase.hInstance, nullptr);
  atenderMensajes(200);
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%lX",
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(panel)));
  const bool importar = accion == L"importar" || accion == L"sin-dni";
  const PROCESS_INFORMATION pi = arrancar(programa, {importar ? L"importar" : L"exportar", hex});
  HWND dialogo = esperarVentana(pi.dwProcessId, win32::kClaseDialogo, panel);
  atenderMensajes(300);

  if (GetParent(dialogo) != panel) fallo("el diálogo no es hijo del panel");
  const LONG_PTR estilo = GetWindowLongPtrW(dialogo, GWL_STYLE);
  if ((estilo & WS_CHILD) == 0) fallo("el diálogo no es una ventana hija");
  if ((estilo & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER)) != 0)
    fallo("el diálogo tiene marco o título");
  const RECT r = enCliente(dialogo, panel);
  if (caja(r) != "2,2 599x267") fallo("el diálogo está en " + caja(r) + " dentro del panel");
  comprobarDisposicion(dialogo, !importar, importar, false);

  // There is no cancel button: Escape leaves the dialog open.
  HWND lista = control(dialogo, "ListaDirectorios");
  PostMessageW(lista, WM_KEYDOWN, VK_ESCAPE, 0);
  atenderMensajes(500);
  if (!IsWindow(dialogo) || ventanaDe(pi.dwProcessId, L"#32770") != nullptr)
    fallo("Escape cerró el diálogo o mostró una caja");

  if (accion == L"segunda-copia") {
    segundasCopias(programa, hex, principal, panel, dialogo);
    PostMessageW(control(dialogo, "BExportar"), BM_CLICK, 0, 0);
  } else if (accion == L"ayuda") {
    // Help, asked for by F1 and by the button; each answers with a box or a window.
    // The system turns the F1 key into WM_KEYF1 for the focused control as it reads
    // the keyboard; a posted key would not be.
    constexpr UINT kTeclaF1 = 0x004D;  // WM_KEYF1
    PostMessageW(lista, kTeclaF1, 0, 0);
    esperarYContestar(pi, principal);
    PostMessageW(control(dialogo, "Button1"), BM_CLICK, 0, 0);
    esperarYContestar(pi, principal);
    PostMessageW(control(dialogo, "BClose"), BM_CLICK, 0, 0);
  } else if (importar) {
    PostMessageW(control(dialogo, "BImportar"), BM_CLICK, 0, 0);
  } else if (accion == L"enter")
    PostMessageW(lista, WM_KEYDOWN, VK_RETURN, 0);
  else
    PostMessageW(control(dialogo, accion == L"exportar" ? "BExportar" : "BClose"), BM_CLICK, 0, 0);
  const DWORD codigo = acompanar(pi, principal, accion == L"importar", dialogo);
  if (codigo != 0) fallo("el programa terminó con " + std::to_string(codigo));
  if (!IsWindow(panel)) fallo("el anfitrión perdió su panel");
  DestroyWindow(principal);
  return g_fallos == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> a(argv + 1, argv + argc);
  if (a.size() >= 2 && a[0] == L"disposicion")
    return disposicion(a[1], std::vector<std::wstring>(a.begin() + 2, a.end()));
  if (a.size() == 3 && a[0] == L"anfitrion") return anfitrion(a[1], a[2]);
  if (a.size() == 2 && a[0] == L"comprobacion") return comprobacion(a[1]);
  if (a.size() == 1 && a[0] == L"teclas") return teclas();
  if (a.size() == 2 && a[0] == L"segunda") {
    segundaCopia(a[1], {}, nullptr, "sola");
    return g_fallos == 0 ? 0 : 1;
  }
  std::fprintf(stderr,
               "uso: tzv-probar-dialogo disposicion PANELES [ARGUMENTOS...]\n"
               "     tzv-probar-dialogo segunda PROGRAMA\n"
               "     tzv-probar-dialogo comprobacion profesores|plantilla\n"
               "     tzv-probar-dialogo teclas\n"
               "     tzv-probar-dialogo anfitrion PROGRAMA "
               "salir|exportar|enter|ayuda|importar|sin-dni|segunda-copia\n");
  return 2;
}
