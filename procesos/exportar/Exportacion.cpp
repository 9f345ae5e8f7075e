#include "procesos/exportar/Exportacion.h"

#include <stdexcept>

#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "procesos/TextoAviso.h"
#include "procesos/exportar/ExportarAlumnos.h"
#include "procesos/exportar/ExportarAsigCursos.h"
#include "procesos/exportar/ExportarAsignaciones.h"
#include "procesos/exportar/ExportarAsignaturas.h"
#include "procesos/exportar/ExportarAulas.h"
#include "procesos/exportar/ExportarGrupos.h"
#include "procesos/exportar/ExportarProfesores.h"

namespace procesos {

// The writers one after the other, each opening its tables when its turn comes: later
// writers read the tables the earlier ones wrote.
void escribirTablasIntercambio(gescen::Catalogo& tablas, const std::string& idioma) {
  ExportarAsignaturas(tablas, idioma);
  ExportarProfesores(tablas);
  ExportarAulas(tablas);
  ExportarAlumnos(tablas);
  ExportarAsigCursos();
  ExportarGrupos(tablas);
  ExportarAsignaciones(tablas);
}

void ejecutarExportacion(gescen::Catalogo& tablas, const std::string& idioma,
                         EstadoPrograma& estado, Interaccion& ui) {
  gescen::CarpetaEnUso uso;
  ui.mensaje(kAvisoExportacion);
  ui.cursorEspera(true);
  estado.resultado = 1;
  try {
    escribirTablasIntercambio(tablas, idioma);
  } catch (const std::exception& e) {
    estado.resultado = 0;
    tablas.cerrarTodas();
    ui.cursorEspera(false);
    // The tables written before the error stay, the later ones are missing or old: the
    // generator must not be given them as they are.
    throw std::runtime_error(conPuntoFinal(e.what()) + " " + kTablasIncompletas);
  }
  ui.cursorEspera(false);
  ui.mensaje(kProcesoFinalizado);
}

}  // namespace procesos
