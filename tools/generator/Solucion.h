#pragma once
// A plausible SOLUC.DBF, the timetable that the timetable generator leaves in its work
// folder, built from the exchange tables that an export wrote there.

#include <cstdint>
#include <string>

namespace gen {

struct OpcionesSolucion {
  std::string carpeta;  // work folder holding ASIGT.DBF (native path)
  std::uint64_t semilla = 1;
  long registros = -1;  // exact record count wanted; -1: as the lessons give
};

struct ResumenSolucion {
  std::uint32_t filasAsignaciones = 0;  // ASIGT.DBF rows read
  std::uint32_t lecciones = 0;          // lessons placed on a day
  std::uint32_t sinColocar = 0;         // records with day 0
  std::uint32_t tareas = 0;             // non-teaching records
  std::uint32_t registros = 0;          // records written
  std::string ruta;
};

// Throws std::runtime_error (or the engine's error) when the work folder lacks ASIGT.DBF.
ResumenSolucion escribirSolucion(const OpcionesSolucion& op);

}  // namespace gen
