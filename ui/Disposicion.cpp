#include "ui/Disposicion.h"

#include <array>
#include <stdexcept>
#include <string>

#include "ui/Aplicacion.h"

// From project(VERSION) through the build's tzv_version target.
#ifndef TZV_VERSION
#error "TZV_VERSION is not defined: link the target to tzv_version"
#endif

namespace ui {
namespace {

using ui::kContextoAyuda;

constexpr Color kAzul = Color::rgb(0x0000FF);
constexpr Color kRojo = Color::rgb(0xFF0000);
constexpr Color kNegro = Color::rgb(0x000000);
constexpr Color kBlanco = Color::rgb(0xFFFFFF);
constexpr Color kMarino = Color::rgb(0x000080);
constexpr Color kCaraBoton = Color::de(Color::Sistema::CaraBoton);

constexpr Fuente kArial11{"Arial", 11};
constexpr Fuente kArial11b{"Arial", 11, true};
constexpr Fuente kArial12b{"Arial", 12, true};
constexpr Fuente kArial13b{"Arial", 13, true};
constexpr Fuente kSans11{"MS Sans Serif", 11};
constexpr Fuente kSans11b{"MS Sans Serif", 11, true};
constexpr Fuente kSans11bs{"MS Sans Serif", 11, true, true};
constexpr Fuente kSans13b{"MS Sans Serif", 13, true};

// ---- TExportarDatos ------------------------------------------------------------------

constexpr int kAncho = 599;
constexpr int kAlto = 267;
constexpr int kAltoCarpetas = 150;
constexpr int kAltoSuperior = kAlto - kAltoCarpetas;  // 117
constexpr int kAnchoExportar = 299;

constexpr std::array kPanelesPrincipal = {
    Panel{"Draw3D1",
          {0, kAltoSuperior, kAncho, kAltoCarpetas},
          Color::rgb(0xC2CDFE),
          Color::rgb(0xCFF2FE),
          Color::rgb(0xCCD8E6),
          kContextoAyuda},
    Panel{"Draw3D2",
          {0, 0, kAnchoExportar, kAltoSuperior},
          Color::rgb(0xF9D37D),
          kBlanco,
          Color::rgb(0xFFEEDD),
          kContextoAyuda},
    Panel{"Draw3D3",
          {kAnchoExportar, 0, kAncho - kAnchoExportar, kAltoSuperior},
          Color::rgb(0xF9D37D),
          kBlanco,
          Color::rgb(0xFFEEDD)},
};

constexpr const char* kBanner = "TransZorvexValencia v" TZV_VERSION " - Proyecto TZV";

constexpr std::array<std::string_view, 2> kIdiomas = {"VALENCIÁ", "CASTELLANO"};

// In the order of the dialog's parts.
constexpr std::array kControlesPrincipal = {
    Control{"Label1",
            Clase::Etiqueta,
            "Draw3D1",
            {14, 3, 0, 0},
            "Carpeta en la que se encuentran los datos de GC",
            kArial11,
            kAzul},
    Control{"EdNuevoDir",
            Clase::Edicion,
            "Draw3D1",
            {14, 18, 220, 22},
            "",
            kArial11b,
            kNegro,
            false,
            {},
            false,
            Alineacion::Izquierda,
            kContextoAyuda},
    Control{"ListaDirectorios",
            Clase::ListaCarpetas,
            "Draw3D1",
            {14, 41, 220, 83},
            "",
            kArial11b,
            kNegro,
            false,
            {},
            false,
            Alineacion::Izquierda,
            kContextoAyuda},
    Control{"ListaUnidades",
            Clase::CajaUnidades,
            "Draw3D1",
            {13, 125, 222, 20},
            "",
            kArial11b,
            kNegro,
            false,
            {},
            false,
            Alineacion::Izquierda,
            kContextoAyuda},
    Control{"CBCentro",
            Clase::Desplegable,
            "Draw3D1",
            {304, 17, 145, 21},
            "",
            kSans11,
            kNegro,
            false,
            {},
            false,
            Alineacion::Izquierda,
            kContextoAyuda},
    Control{
        "Label2", Clase::Etiqueta, "Draw3D1", {303, 3, 0, 0}, "Código del centro", kArial11, kAzul},
    Control{"BExportar",
            Clase::BotonAceptar,
            "Draw3D2",
            {71, 90, 89, 25},
            "Aceptar",
            kSans11,
            kNegro,
            false,
            {},
            false,
            Alineacion::Centro,
            kContextoAyuda},
    Control{"BClose",
            Clase::BotonCerrar,
            "Draw3D1",
            {304, 51, 89, 25},
            "&Salir",
            kSans11,
            kNegro,
            false,
            {},
            false,
            Alineacion::Centro,
            kContextoAyuda},
    Control{"Label3",
            Clase::Etiqueta,
            "Draw3D2",
            {2, 34, 296, 36},
            "Exportar datos desde GC hacia Zorvex (Generador de horarios y organizador de grupos)",
            kArial12b,
            kNegro,
            false,
            {},
            true},
    Control{"Label4",
            Clase::Etiqueta,
            "Draw3D3",
            {6, 0, 281, 25},
            "Importar datos desde Zorvex (hacia GC)",
            kArial13b,
            kNegro,
            false,
            {},
            true},
    Control{"BImportar",
            Clase::BotonAceptar,
            "Draw3D3",
            {92, 57, 89, 25},
            "Aceptar",
            kSans11,
            kNegro,
            false,
            {},
            false,
            Alineacion::Centro,
            kContextoAyuda},
    Control{"Label5",
            Clase::Etiqueta,
            "Draw3D3",
            {9, 17, 275, 48},
            "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de GC, antes de lanzar "
            "este proceso.",
            kArial12b,
            kRojo,
            false,
            {},
            true},
    Control{"Label6",
            Clase::Etiqueta,
            "Draw3D3",
            {9, 86, 281, 65},
            "ATENCIÓN. Es necesario reorganizar los archivos de GC después de efectuar este "
            "proceso.",
            kArial12b,
            kRojo,
            false,
            {},
            true},
    Control{"Label8",
            Clase::Etiqueta,
            "Draw3D2",
            {23, 3, 257, 34},
            "UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZORVEX",
            kArial13b,
            kAzul,
            false,
            {},
            true},
    Control{"Label9",
            Clase::Etiqueta,
            "Draw3D2",
            {6, 71, 0, 0},
            "Recoger Textos Asignaturas en:",
            kSans11b,
            kRojo},
    Control{"ComboBoxValCast",
            Clase::DesplegableTexto,
            "Draw3D2",
            {193, 66, 93, 21},
            "VALENCIÁ",
            kSans11b,
            kNegro,
            true,
            kBlanco,
            false,
            Alineacion::Izquierda,
            kContextoAyuda,
            kIdiomas},
    Control{"Label7",
            Clase::Etiqueta,
            "Draw3D1",
            {301, 130, 293, 14},
            kBanner,
            kArial11b,
            kRojo,
            false,
            {},
            true},
    Control{"Button1",
            Clase::Boton,
            "Draw3D1",
            {310, 81, 75, 21},
            "F1 AYUDA",
            kSans11,
            kNegro,
            false,
            {},
            false,
            Alineacion::Centro,
            kContextoAyuda},
};

// Folder pane, export pane, import pane.
constexpr std::array<std::string_view, 9> kTabulacionPrincipal = {
    "EdNuevoDir", "ListaDirectorios", "ListaUnidades",   "CBCentro", "BClose",
    "Button1",    "BExportar",        "ComboBoxValCast", "BImportar"};

const Dialogo kPrincipal{"ExportarDatos",
                         "Exportar e importar datos ",
                         kAncho,
                         kAlto,
                         kSans11,
                         kCaraBoton,
                         kContextoAyuda,
                         -1,
                         -1,
                         kPanelesPrincipal,
                         kControlesPrincipal,
                         kTabulacionPrincipal,
                         {}};

// ---- The import's two check dialogs --------------------------------------------------
// Both are filled by one gradient pane, from the desktop colour through cream to aqua,
// and placed at 24, 25 on the screen.

constexpr Color kEscritorio = Color::de(Color::Sistema::Escritorio);
constexpr Color kResaltado = Color::de(Color::Sistema::Resaltado);
constexpr Color kCrema = Color::rgb(0xF0FBFF);
constexpr Color kAgua = Color::rgb(0x00FFFF);
constexpr Color kFondoCabecera = Color::rgb(0xF0CAA6);

// The controls both dialogs have, at their own places and with their own texts.
constexpr std::array<Control, 6> controlesDeComprobacion(
    std::string_view rejilla, Caja titulo, std::string_view textoTitulo, Caja cabecera,
    std::string_view textoCabecera, Caja explicacion, std::string_view textoExplicacion,
    Caja navegador, Caja cuadricula, Caja salir) {
  return {
      Control{"Label1",
              Clase::Etiqueta,
              "Draw3D1",
              titulo,
              textoTitulo,
              kSans13b,
              kResaltado,
              false,
              {},
              true},
      Control{"Label3", Clase::Etiqueta, "Draw3D1", cabecera, textoCabecera, kSans11bs, kRojo, true,
              kFondoCabecera, false, Alineacion::Centro},
      Control{"Label2",
              Clase::Etiqueta,
              "Draw3D1",
              explicacion,
              textoExplicacion,
              kSans11b,
              kMarino,
              false,
              {},
              true},
      Control{"wwDBNavigator1", Clase::Navegador, "Draw3D1", navegador, "", kSans11, kNegro},
      Control{rejilla,
              Clase::Rejilla,
              "Draw3D1",
              cuadricula,
              "",
              kSans11,
              kNegro,
              false,
              {},
              false,
              Alineacion::Izquierda,
              kContextoAyuda},
      Control{"BitBtn1",
              Clase::BotonCerrar,
              "Draw3D1",
              salir,
              "Salir",
              kSans11b,
              kNegro,
              false,
              {},
              false,
              Alineacion::Centro,
              kContextoAyuda},
  };
}

// A check dialog: 726 pixels wide, the dialog font, the desktop colour behind it.
Dialogo dialogoDeComprobacion(std::string_view nombre, std::string_view titulo, int alto,
                              std::span<const Panel> paneles, std::span<const Control> controles,
                              std::span<const std::string_view> tabulacion,
                              std::span<const Columna> columnas) {
  return {nombre, titulo, 726,     alto,      kSans11,    kEscritorio, kContextoAyuda,
          24,     25,     paneles, controles, tabulacion, columnas};
}

constexpr std::array kPanelesProfesores = {
    Panel{"Draw3D1", {0, 0, 726, 499}, kEscritorio, kCrema, kAgua}};
constexpr auto kControlesProfesores = controlesDeComprobacion(
    "ProftDBGrid", {9, 20, 202, 32}, "CONTROL DEL D.N.I DE LOS PROFESORES", {521, 66, 190, 13},
    "INCIDENCIAS EN EL TRASPASO", {517, 91, 201, 104},
    "Se ha detectado que existe algún Profesor sin D.N.I. Para poder realizar correctamente la "
    "integración del Horario en GESCEN, deberán asignarlo en esta rejilla. Los Profesores deberán "
    "estar creados previamente en GESCEN, con los mismos D.N.I's.",
    {236, 29, 275, 24}, {9, 56, 504, 433}, {584, 216, 75, 25});
constexpr std::array<std::string_view, 2> kTabulacionProfesores = {"ProftDBGrid", "BitBtn1"};
constexpr std::array kColumnasProfesores = {
    Columna{"ABREV", 4, "ABREV", false},
    Columna{"NOMBRE", 40, "NOMBRE", true},
    Columna{"DNI", 10, "DNI", true},
    Columna{"DEPART", 40, "DEPARTAMENTO", true},
};
const Dialogo kProfesores =
    dialogoDeComprobacion("ControlProfesores", "Control de Profesores", 499, kPanelesProfesores,
                          kControlesProfesores, kTabulacionProfesores, kColumnasProfesores);

constexpr std::array kPanelesPlantilla = {
    Panel{"Draw3D1", {0, 0, 726, 463}, kEscritorio, kCrema, kAgua}};
constexpr auto kControlesPlantilla = controlesDeComprobacion(
    "PlantiHorDBGrid", {9, 12, 151, 64}, "COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO",
    {505, 57, 210, 13}, "PLANTILLA HORARIA DEL CENTRO", {504, 91, 209, 130},
    "Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela y modifique, en caso "
    "necesario, las Horas de Inicio y Final de Clase, en la presente rejilla. Deben ser iguales "
    "que la Plantilla Horaria que estén utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, "
    "Pulse sobre el Botón Salir.",
    {180, 29, 275, 24}, {156, 56, 330, 385}, {576, 312, 75, 25});
constexpr std::array<std::string_view, 2> kTabulacionPlantilla = {"PlantiHorDBGrid", "BitBtn1"};
constexpr std::array kColumnasPlantilla = {
    Columna{"HORA", 7, "HORA", false},
    Columna{"HORAINI", 20, "HORA INICIO CLASE", true},
    Columna{"HORAFIN", 19, "HORA FINAL CLASE", true},
};
const Dialogo kPlantilla = dialogoDeComprobacion("ControlPlantilla", "Control de Plantilla Horaria",
                                                 463, kPanelesPlantilla, kControlesPlantilla,
                                                 kTabulacionPlantilla, kColumnasPlantilla);

}  // namespace

const Control& Dialogo::control(std::string_view n) const {
  for (const Control& c : controles)
    if (c.nombre == n) return c;
  throw std::out_of_range("El diálogo " + std::string(nombre) + " no tiene el control " +
                          std::string(n));
}

const Panel& Dialogo::panel(std::string_view n) const {
  for (const Panel& p : paneles)
    if (p.nombre == n) return p;
  throw std::out_of_range("El diálogo " + std::string(nombre) + " no tiene el panel " +
                          std::string(n));
}

const Dialogo& dialogoPrincipal() { return kPrincipal; }
const Dialogo& dialogoControlProfesores() { return kProfesores; }
const Dialogo& dialogoControlPlantilla() { return kPlantilla; }

Caja cajaPanelPrincipal(std::string_view panel, bool exportarVisible, bool importarVisible) {
  const Caja caja = kPrincipal.panel(panel).caja;
  if (panel == "Draw3D1" || (exportarVisible && importarVisible)) return caja;
  return {0, 0, kAncho, kAltoSuperior};
}

}  // namespace ui
