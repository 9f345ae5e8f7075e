#include "gescen/Catalogo.h"

#include "gescen/Staging.h"

namespace gescen {
namespace {

// A staged copy cut short (GESCEN's file was, or the copy was) is refused when opened:
// the runs never take the records that are left for the whole table.
void configurar(dbf::Table& t, const char* carpeta, const char* nombre, bool exclusiva) {
  t.setDatabaseName(carpeta);
  t.setTableName(nombre);
  t.setExclusive(exclusiva);
  t.setRefuseCutShort(true);
}

}  // namespace

Catalogo::Catalogo() {
  configurar(wwTableAsignat, kCarpetaStaging, "asignat.dbf", true);
  configurar(wwTableCentro, kCarpetaStaging, "centro", true);
  configurar(wwTableProfesor, kCarpetaStaging, "profesor", true);
  configurar(wwTableAsigAlum, kCarpetaStaging, "asigalum", true);
  configurar(wwTableAulas, kCarpetaStaging, "aulas", true);
  configurar(wwTableGrupos, kCarpetaStaging, "grupos", true);
  configurar(wwTableAlumnos, kCarpetaStaging, "alumnos", true);
  configurar(wwTableHorGrup, kCarpetaStaging, "horgrup", true);
  configurar(wwTableHorProf, kCarpetaStaging, "horprof", true);
  configurar(wwTableLhortipo, kCarpetaStaging, "lhortipo", false);
  configurar(wwTableOCUPA, kCarpetaStaging, "OCUPA", true);
  wwTableOCUPA.setReadOnly(true);
  configurar(wwTableSoluc, kCarpetaTrabajo, "SOLUC", true);
  // The import checks the solution's count itself before anything is written, and says
  // that GESCEN is unchanged (ComprobarSolucion).
  wwTableSoluc.setRefuseCutShort(false);
}

void Catalogo::cerrarTodas() {
  for (dbf::Table* t : {&wwTableAsignat, &wwTableCentro, &wwTableProfesor, &wwTableAsigAlum,
                        &wwTableAulas, &wwTableGrupos, &wwTableAlumnos, &wwTableHorGrup,
                        &wwTableHorProf, &wwTableSoluc, &wwTableLhortipo, &wwTableOCUPA})
    t->close();
}

}  // namespace gescen
