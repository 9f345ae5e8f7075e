// transzorvex-cli comprobar [--gc CARPETA] [--centro CODIGO] [--formato texto|json]
// [--importacion]: stages the GESCEN files of CARPETA and lists every problem the runs
// would meet in them, without running either. Exit status 1 when one would stop a run.

#include <iostream>

#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "procesos/comprobacion/Comprobacion.h"
#include "tools/cli/Comandos.h"
#include "tools/cli/Opciones.h"

int comandoComprobar(const std::vector<std::string>& args) {
  Opciones op(args, {"--gc", "--centro", "--formato"}, {}, {"--importacion"});
  const std::string formato = op.valor("--formato", "texto");
  if (!op.valida() || (formato != "texto" && formato != "json")) {
    std::cerr << "uso: transzorvex-cli comprobar [--gc CARPETA] [--centro CODIGO] [--formato "
                 "texto|json] [--importacion]\n";
    return 2;
  }
  // The staged copies are this command's while it reads them.
  gescen::CarpetaEnUso uso;
  procesos::OpcionesComprobacion opciones;
  opciones.carpetaGC = op.valor("--gc", gescen::kCarpetaGCPorDefecto);
  prepararCarpetaGC(opciones.carpetaGC);
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, opciones.carpetaGC);
  opciones.importacion = op.tiene("--importacion") || procesos::haySolucion();
  if (opciones.importacion) {
    try {
      opciones.centro = op.valor("--centro", primerCentro(tablas));
    } catch (const std::exception&) {
      // The centre table's own problem is in the list.
    }
  }
  const std::vector<procesos::Problema> problemas = procesos::comprobarDatos(tablas, opciones);
  if (formato == "json") {
    std::cout << procesos::enJson(problemas);
  } else {
    for (const procesos::Problema& p : problemas) std::cout << procesos::enTexto(p) << '\n';
    std::cerr << (problemas.empty() ? "Sin problemas."
                                    : std::to_string(problemas.size()) + " problema(s).")
              << '\n';
  }
  return procesos::algunoDetiene(problemas) ? 1 : 0;
}
