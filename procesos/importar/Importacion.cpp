#include "procesos/importar/Importacion.h"

#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/importar/ComprobarDNI.h"
#include "procesos/importar/ComprobarPlantilla.h"
#include "procesos/importar/ComprobarSolucion.h"
#include "procesos/importar/CopiaSegura.h"
#include "procesos/importar/VolcarHorario.h"

namespace procesos {
using gescen::kASIGVALT;
using gescen::rutaIntercambio;

namespace {

inline constexpr const char* kSoluc = "C:\\ZORVTMP\\SOLUC.DBF";

// A copy back that an earlier run left half done is ended before a new one may begin.
void terminarDevolucionAnterior(Interaccion& ui) {
  if (!devolucionPendiente()) return;
  const std::string linea = recuperarDevolucion();
  if (devolucionPendiente()) throw std::runtime_error(linea);
  if (!linea.empty()) ui.mensaje(linea);
}

ResultadoImportacion importar(gescen::Catalogo& tablas, const std::string& carpetaGC,
                              const std::string& centro, EstadoPrograma& estado, Interaccion& ui) {
  gescen::asegurarCarpetaStaging();
  if (!plat::fileExists(plat::toNative(kSoluc))) {
    ui.mensaje(kSinSolucion);
    ui.cursorEspera(false);
    return ResultadoImportacion::SinSolucion;
  }
  terminarDevolucionAnterior(ui);
  comprobarSolucion(tablas.wwTableSoluc);
  comprobarHorariosLibres(carpetaGC);
  copiarDeGescen(carpetaGC, [&] {
    tablas.wwTableHorGrup.close();
    gescen::ReemplazarArchivo(std::string(gescen::kCarpetaStaging) + "\\horgrup.dbf",
                              gescen::archivoGC(carpetaGC, "horgrup.dbf"));
    tablas.wwTableHorProf.close();
    gescen::ReemplazarArchivo(std::string(gescen::kCarpetaStaging) + "\\horprof.dbf",
                              gescen::archivoGC(carpetaGC, "horprof.dbf"));
  });

  dbf::Table profesores;
  if (!ComprobarDNI(profesores, ui)) return ResultadoImportacion::ProfesorSinDni;

  dbf::Table asignaturas;
  asignaturas.setTableName(rutaIntercambio(kASIGVALT));
  asignaturas.setIndexName("CODVALEN");
  asignaturas.open();

  HorasPeriodo desde, hasta;
  ComprobarPlantilla(tablas, centro, ui, desde, hasta);
  VolcarHorario(tablas, profesores, asignaturas, centro, desde, hasta);

  tablas.wwTableHorProf.close();
  tablas.wwTableSoluc.close();
  tablas.wwTableHorGrup.close();
  profesores.close();
  asignaturas.close();

  estado.copiaHorarios = devolverHorarios(carpetaGC);

  ui.cursorEspera(false);
  estado.resultado = 1;
  ui.mensaje(kProcesoFinalizado);
  return ResultadoImportacion::Completada;
}

}  // namespace

ResultadoImportacion ejecutarImportacion(gescen::Catalogo& tablas, const std::string& carpetaGC,
                                         const std::string& centro, EstadoPrograma& estado,
                                         Interaccion& ui) {
  gescen::CarpetaEnUso uso;
  ui.mensaje(kAvisoImportacion);
  ui.cursorEspera(true);
  try {
    return importar(tablas, carpetaGC, centro, estado, ui);
  } catch (...) {
    // The hourglass comes down and every handle is released: the user may start again.
    tablas.cerrarTodas();
    ui.cursorEspera(false);
    throw;
  }
}

}  // namespace procesos
