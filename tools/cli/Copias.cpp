// transzorvex-cli copias [--gc CARPETA] and restaurar [FECHA] [--gc CARPETA]: the
// backups of GESCEN's timetable tables that the imports keep, listed and put back.

#include <iostream>

#include "gescen/Staging.h"
#include "procesos/importar/Restauracion.h"
#include "tools/cli/Comandos.h"
#include "tools/cli/Opciones.h"

int comandoCopias(const std::vector<std::string>& args) {
  Opciones op(args, {"--gc"});
  if (!op.valida()) {
    std::cerr << "uso: transzorvex-cli copias [--gc CARPETA]\n";
    return 2;
  }
  const std::vector<procesos::CopiaHorarios> copias = procesos::copiasDeHorarios();
  if (copias.empty()) std::cerr << "No hay copias de los horarios.\n";
  for (const procesos::CopiaHorarios& c : copias) {
    std::cout << c.nombre << "  " << c.fecha;
    for (const auto& [tabla, registros] : c.tablas) {
      std::cout << "  " << tabla << ' ';
      if (registros < 0)
        std::cout << "ilegible";
      else
        std::cout << registros << " registros";
    }
    std::cout << '\n';
  }
  return 0;
}

int comandoRestaurar(const std::vector<std::string>& args) {
  // The date comes first when given: the name of the backup's folder.
  std::string fecha;
  std::vector<std::string> resto = args;
  if (!resto.empty() && !resto.front().starts_with("--")) {
    fecha = resto.front();
    resto.erase(resto.begin());
  }
  Opciones op(resto, {"--gc"});
  if (!op.valida()) {
    std::cerr << "uso: transzorvex-cli restaurar [FECHA] [--gc CARPETA]\n";
    return 2;
  }
  const std::string carpeta = op.valor("--gc", gescen::kCarpetaGCPorDefecto);
  prepararCarpetaGC(carpeta);
  const std::string anteriores = procesos::restaurarHorarios(carpeta, fecha);
  std::cout << "Horarios devueltos a " << carpeta << ".\n";
  if (!anteriores.empty()) std::cout << "Los horarios que había están en " << anteriores << ".\n";
  return 0;
}
