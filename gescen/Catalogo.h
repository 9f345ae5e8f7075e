#pragma once
// The table handles on the school-management tables (the staged copies of the GESCEN
// files) and on the generator's solution, with their fixed settings. Every handle is
// closed except while an operation uses it; none selects an index.

#include "dbf/Table.h"

namespace gescen {

class Catalogo {
 public:
  Catalogo();
  Catalogo(const Catalogo&) = delete;
  Catalogo& operator=(const Catalogo&) = delete;

  void cerrarTodas();

  dbf::Table wwTableAsignat{"wwTableAsignat"};
  dbf::Table wwTableCentro{"wwTableCentro"};
  dbf::Table wwTableProfesor{"wwTableProfesor"};
  dbf::Table wwTableAsigAlum{"wwTableAsigAlum"};
  dbf::Table wwTableAulas{"wwTableAulas"};
  dbf::Table wwTableGrupos{"wwTableGrupos"};
  dbf::Table wwTableAlumnos{"wwTableAlumnos"};
  dbf::Table wwTableHorGrup{"wwTableHorGrup"};
  dbf::Table wwTableHorProf{"wwTableHorProf"};
  dbf::Table wwTableSoluc{"wwTableSoluc"};
  dbf::Table wwTableLhortipo{"wwTableLhortipo"};
  dbf::Table wwTableOCUPA{"wwTableOCUPA"};
};

}  // namespace gescen
