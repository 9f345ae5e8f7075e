#include "Catalogo.h"

#include "Staging.h"

namespace gc {
namespace {

void configurar(dbf::Table& t, const char* carpeta, const char* nombre, bool exclusiva) {
  t.setDatabaseName(carpeta);
  t.setTableName(nombre);
  t.setExclusive(exclusiva);
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
}

void Catalogo::cerrarTodas() {
  for (dbf::Table* t : {&wwTableAsignat, &wwTableCentro, &wwTableProfesor, &wwTableAsigAlum,
                        &wwTableAulas, &wwTableGrupos, &wwTableAlumnos, &wwTableHorGrup,
                        &wwTableHorProf, &wwTableSoluc, &wwTableLhortipo, &wwTableOCUPA})
    t->close();
}

}  // namespace gc
