// transzorvex-cli importar [--gc CARPETA] [--centro CODIGO] [--dni ABREV=NUMERO]...:
// stages the GESCEN files of CARPETA and imports the generator's solution, as the
// import button does, without dialogs.

#include <iostream>

#include "dbf/FieldValue.h"
#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "procesos/importar/CopiaSegura.h"
#include "procesos/importar/Importacion.h"
#include "tools/cli/Comandos.h"
#include "tools/cli/Consola.h"
#include "tools/cli/Opciones.h"

int comandoImportar(const std::vector<std::string>& args) {
  Opciones op(args, {"--gc", "--centro"}, {"--dni"});
  if (!op.valida()) {
    std::cerr << "uso: transzorvex-cli importar [--gc CARPETA] [--centro CODIGO] [--dni "
                 "ABREV=NUMERO]...\n";
    return 2;
  }
  // The work folder is this command's from staging to the end of the run.
  gescen::CarpetaEnUso uso;
  InteraccionConsola ui;
  for (const std::string& par : op.todos("--dni")) {
    auto igual = par.find('=');
    if (igual == std::string::npos) {
      std::cerr << "--dni espera ABREV=NUMERO: " << par << '\n';
      return 2;
    }
    ui.dniPorAbreviatura[par.substr(0, igual)] =
        dbf::integerOf(dbf::Value::ofText(par.substr(igual + 1)), "DNI");
  }
  const std::string carpeta = op.valor("--gc", gescen::kCarpetaGCPorDefecto);
  prepararCarpetaGC(carpeta);
  gescen::Catalogo tablas;
  // The staging pass copies GESCEN's timetables too: one that GESCEN holds is said so.
  procesos::copiarDeGescen(carpeta, [&] { gescen::CopiarDatosGC(tablas, carpeta); });
  const std::string centro = op.valor("--centro", primerCentro(tablas));
  procesos::EstadoPrograma estado;
  switch (procesos::ejecutarImportacion(tablas, carpeta, centro, estado, ui)) {
    case procesos::ResultadoImportacion::Completada:
      break;
    case procesos::ResultadoImportacion::SinSolucion:
    case procesos::ResultadoImportacion::ProfesorSinDni:
      std::cerr << ui.mensajes.back() << '\n';
      return 1;
  }
  for (const char* nombre : {"horgrup.dbf", "horprof.dbf"})
    std::cout << nombre << ' ' << contarRegistros(gescen::archivoGC(carpeta, nombre)) << '\n';
  // On stderr: the summary on stdout stays the two lines that scripts read.
  if (!estado.copiaHorarios.empty())
    std::cerr << "Los horarios que había en GESCEN están en " << estado.copiaHorarios << ".\n";
  return 0;
}
