// transzorvex-cli exportar [--gc CARPETA] [--idioma TEXTO]: stages the GESCEN files of
// CARPETA and writes the nine exchange tables, as the export button does.

#include <iostream>

#include "dbf/Table.h"
#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/exportar/Exportacion.h"
#include "tools/cli/Comandos.h"
#include "tools/cli/Consola.h"
#include "tools/cli/Opciones.h"

int comandoExportar(const std::vector<std::string>& args) {
  Opciones op(args, {"--gc", "--idioma"});
  if (!op.valida()) {
    std::cerr << "uso: transzorvex-cli exportar [--gc CARPETA] [--idioma TEXTO]\n";
    return 2;
  }
  // The work folder is this command's from staging to the end of the run.
  gescen::CarpetaEnUso uso;
  const std::string carpeta = op.valor("--gc", gescen::kCarpetaGCPorDefecto);
  prepararCarpetaGC(carpeta);
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, carpeta);
  procesos::EstadoPrograma estado;
  InteraccionConsola ui;
  procesos::ejecutarExportacion(tablas, op.valor("--idioma", "VALENCIÁ"), estado, ui);
  // The export writes each exchange table whole and never deletes a record in it: the
  // count its header keeps is the count of its records.
  for (const std::string& nombre : gescen::tablasIntercambio())
    std::cout << nombre << ' ' << dbf::storedRecordCount(gescen::rutaIntercambio(nombre)) << '\n';
  return 0;
}
