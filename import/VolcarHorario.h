#pragma once
#include <string>

#include "Importacion.h"
#include "Table.h"

namespace tzv {

struct FilasVolcadas {
  long horprof = 0;
  long horgrup = 0;
};

// Empties the staged horprof and horgrup and refills them from SOLUC.DBF: one teacher
// row per placed lesson, and a group row for those that name a level and a course.
// `profesores` is PROFT.DBF and `asignaturas` ASIGVALT.DBF in CODVALEN order, both open.
FilasVolcadas VolcarHorario(gc::Catalogo& tablas, dbf::Table& profesores, dbf::Table& asignaturas,
                            const std::string& centro, const HorasPeriodo& desde,
                            const HorasPeriodo& hasta);

// The room number a solution's AULA gives: a whole number shorter than four characters
// once blanks are trimmed; false otherwise.
bool numeroAula(const std::string& aula, std::int64_t& numero);

}  // namespace tzv
