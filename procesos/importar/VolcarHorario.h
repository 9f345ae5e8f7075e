#pragma once
#include <string>

#include "dbf/Table.h"
#include "procesos/importar/Importacion.h"

namespace procesos {

struct FilasVolcadas {
  long horprof = 0;
  long horgrup = 0;
};

// Empties the staged horprof and horgrup and refills them from SOLUC.DBF: one teacher
// row per placed lesson, and a group row for those that name a level and a course.
// `profesores` is PROFT.DBF and `asignaturas` ASIGVALT.DBF in CODVALEN order, both open.
FilasVolcadas VolcarHorario(gescen::Catalogo& tablas, dbf::Table& profesores,
                            dbf::Table& asignaturas, const std::string& centro,
                            const HorasPeriodo& desde, const HorasPeriodo& hasta);

}  // namespace procesos
