#include "ui/PresentadorPrincipal.h"

#include <exception>

#include "gescen/Staging.h"
#include "procesos/comprobacion/Comprobacion.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "ui/Aplicacion.h"
#include "ui/LineaOrdenes.h"
#include "ui/UnaCopia.h"

namespace ui {
namespace {

// The most problems the box after a failed run lists: it stays shorter than a screen.
constexpr std::size_t kLineasDeProblemas = 15;

}  // namespace

PresentadorPrincipal::PresentadorPrincipal(VistaPrincipal& vista,
                                           std::vector<std::string> argumentos)
    : vista_(vista), argumentos_(std::move(argumentos)) {}

PresentadorPrincipal::~PresentadorPrincipal() { tablas_.cerrarTodas(); }

void PresentadorPrincipal::FormCreate() {
  estado_.resultado = 0;
  mostrarCarpeta();
  try {
    if (argumentos_.size() == 2) modoAnfitrion();
    copiarDatosGc();
    irACarpeta(gescen::kCarpetaGCPorDefecto);
    vista_.textoCarpeta(carpetas_.directorio());
    llenarCentros();
  } catch (const std::exception& e) {
    vista_.error(e.what());
  }
}

// The dialog goes inside the host's window; the direction word may hide one pane.
void PresentadorPrincipal::modoAnfitrion() {
  const std::uint32_t ventana = ui::convertirEntero("$" + argumentos_[1]);
  vista_.incrustar(ventana);
  estado_.ventanaAnfitrion = ventana;
  estado_.numeroArgumentos = static_cast<std::int32_t>(argumentos_.size());
  const ui::Sentido sentido = ui::sentidoDe(argumentos_[0]);
  if (sentido == ui::Sentido::Importar) exportarVisible_ = false;
  if (sentido == ui::Sentido::Exportar) importarVisible_ = false;
  vista_.mostrarPaneles(exportarVisible_, importarVisible_);
}

// Moving the folder list to another folder runs its change handler; the same folder
// changes nothing.
void PresentadorPrincipal::irACarpeta(const std::string& carpeta) {
  if (carpetas_.cambiar(carpeta)) ListaDirectoriosChange();
}

// The folder list on its folder, the drive box on that folder's drive.
void PresentadorPrincipal::mostrarCarpeta() {
  vista_.mostrarCarpetas(carpetas_);
  unidades_.mostrarCarpeta(carpetas_.directorio());
  vista_.mostrarUnidades(unidades_);
}

void PresentadorPrincipal::ListaDirectoriosChange() {
  mostrarCarpeta();
  vista_.textoCarpeta(carpetas_.directorio());
  copiarDatosGc();
}

void PresentadorPrincipal::copiarDatosGc() {
  gescen::CopiarDatosGC(tablas_, carpetas_.directorio());
  vista_.datosCopiados(carpetas_.directorio());
}

void PresentadorPrincipal::llenarCentros() {
  dbf::Table& centro = tablas_.wwTableCentro;
  std::vector<std::string> codigos;
  centro.open();
  try {
    for (centro.first(); !centro.eof(); centro.next()) codigos.push_back(centro.asString("CODCEN"));
  } catch (...) {
    centro.close();
    throw;
  }
  centro.close();
  vista_.centros(codigos);
}

void PresentadorPrincipal::abrirCarpeta(const std::string& carpeta) {
  try {
    irACarpeta(carpeta);
  } catch (const std::exception& e) {
    vista_.error(e.what());
    // The drive box goes back to the folder list's drive.
    mostrarCarpeta();
  }
}

void PresentadorPrincipal::elegirUnidad(char unidad) {
  abrirCarpeta(unidades_.carpetaActual(unidad));
}

// A run that fails leaves its error in a box, and takes down the hourglass: it is not
// left over an idle dialog. The other problems of the school's data follow.
template <class Ejecucion>
void PresentadorPrincipal::ejecutar(Ejecucion&& ejecucion, bool importacion) {
  try {
    ejecucion();
  } catch (const std::exception& e) {
    vista_.cursorEspera(false);
    vista_.error(e.what());
    ofrecerProblemas(e.what(), importacion);
  }
}

// Every problem the check finds in the staged data, in a second box, unless the error
// just shown is all there is.
void PresentadorPrincipal::ofrecerProblemas(const std::string& error, bool importacion) {
  std::vector<procesos::Problema> problemas;
  try {
    tablas_.cerrarTodas();
    procesos::OpcionesComprobacion opciones{carpetas_.directorio(), vista_.centro(), importacion};
    problemas = procesos::comprobarDatos(tablas_, opciones);
  } catch (const std::exception&) {
    return;  // the data cannot be read now: the error shown says enough
  }
  if (problemas.empty() || (problemas.size() == 1 && procesos::yaDicho(problemas.front(), error)))
    return;
  vista_.mensaje(procesos::listaProblemas(problemas, kLineasDeProblemas));
}

// A finished export goes back to the host that asked for it: the dialog closes and the
// flag 1 reaches the host. Stand-alone, the dialog stays for another run.
void PresentadorPrincipal::BExportarClick() {
  ejecutar(
      [this] {
        procesos::ejecutarExportacion(tablas_, vista_.idioma(), estado_, vista_);
        if (estado_.modoAnfitrion()) vista_.cerrarDialogo();
      },
      false);
}

void PresentadorPrincipal::BImportarClick() {
  ejecutar(
      [this] {
        trasImportacion(procesos::ejecutarImportacion(tablas_, carpetas_.directorio(),
                                                      vista_.centro(), estado_, vista_));
      },
      true);
}

// What follows an import that ended without an error, once its last box is gone.
void PresentadorPrincipal::trasImportacion(procesos::ResultadoImportacion resultado) {
  switch (resultado) {
    case procesos::ResultadoImportacion::Completada:
      if (estado_.modoAnfitrion()) vista_.cerrarDialogo();
      break;
    case procesos::ResultadoImportacion::SinSolucion:
      // The host learns that there was nothing to import.
      if (estado_.modoAnfitrion()) {
        estado_.resultado = 0;
        vista_.cerrarDialogo();
      }
      break;
    case procesos::ResultadoImportacion::ProfesorSinDni:
      // The program ends, stand-alone too: the import is started again once GESCEN has
      // the teachers' numbers. The flag stays as it was.
      vista_.cerrarDialogo();
      break;
  }
}

void PresentadorPrincipal::Button1Click() { vista_.ayudaContenido(); }

void PresentadorPrincipal::teclaF1() { vista_.ayudaContexto(ui::kContextoAyuda); }

std::string_view PresentadorPrincipal::botonPorDefecto() const {
  return exportarVisible_ ? "BExportar" : "BImportar";
}

bool PresentadorPrincipal::FormClose() {
  if (!estado_.modoAnfitrion()) return true;
  const std::string error = escribirResultado(estado_.resultado);
  if (error.empty()) return true;
  vista_.error(error);
  return false;
}

}  // namespace ui
