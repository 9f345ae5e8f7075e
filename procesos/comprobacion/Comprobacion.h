#pragma once
// The check of a school's data before a run: every problem the export (and, when asked,
// the import) would meet, found in one pass over the staged copies without writing
// anything, ordered by table and record.

#include <string>
#include <vector>

#include "procesos/comprobacion/Problema.h"

namespace gescen {
class Catalogo;
}

namespace procesos {

struct OpcionesComprobacion {
  std::string carpetaGC;     // GESCEN's folder, whose teacher timetable the import fills
  std::string centro;        // the centre whose class periods the import uses
  bool importacion = false;  // also the solution left in the work folder
};

// Reads the staged GESCEN tables of `tablas` (staging is the caller's) and, for the
// import, the exchange tables and SOLUC.DBF of the work folder.
std::vector<Problema> comprobarDatos(gescen::Catalogo& tablas,
                                     const OpcionesComprobacion& opciones);

// Whether the work folder holds a solution of the timetable generator.
bool haySolucion();

}  // namespace procesos
