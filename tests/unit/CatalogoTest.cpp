#include <gtest/gtest.h>

#include "gescen/Catalogo.h"

namespace {

TEST(CatalogoTest, HandlesAndTheirSettings) {
  gescen::Catalogo c;
  struct Case {
    const dbf::Table& t;
    const char* name;
    const char* folder;
    const char* table;
    bool exclusive;
    bool readOnly;
  };
  const char* staging = "C:\\ZORVTMP\\VALENCIA";
  const Case cases[] = {
      {c.wwTableAsignat, "wwTableAsignat", staging, "asignat.dbf", true, false},
      {c.wwTableCentro, "wwTableCentro", staging, "centro", true, false},
      {c.wwTableProfesor, "wwTableProfesor", staging, "profesor", true, false},
      {c.wwTableAsigAlum, "wwTableAsigAlum", staging, "asigalum", true, false},
      {c.wwTableAulas, "wwTableAulas", staging, "aulas", true, false},
      {c.wwTableGrupos, "wwTableGrupos", staging, "grupos", true, false},
      {c.wwTableAlumnos, "wwTableAlumnos", staging, "alumnos", true, false},
      {c.wwTableHorGrup, "wwTableHorGrup", staging, "horgrup", true, false},
      {c.wwTableHorProf, "wwTableHorProf", staging, "horprof", true, false},
      {c.wwTableLhortipo, "wwTableLhortipo", staging, "lhortipo", false, false},
      {c.wwTableOCUPA, "wwTableOCUPA", staging, "OCUPA", true, true},
      {c.wwTableSoluc, "wwTableSoluc", "C:\\ZORVTMP", "SOLUC", true, false},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(k.t.handleName(), k.name);
    EXPECT_EQ(k.t.databaseName(), k.folder) << k.name;
    EXPECT_EQ(k.t.tableName(), k.table) << k.name;
    EXPECT_EQ(k.t.exclusive(), k.exclusive) << k.name;
    EXPECT_EQ(k.t.readOnly(), k.readOnly) << k.name;
    EXPECT_TRUE(k.t.indexName().empty()) << k.name;
    EXPECT_FALSE(k.t.active()) << k.name;
  }
  EXPECT_EQ(c.wwTableSoluc.path(), "C:\\ZORVTMP\\SOLUC.DBF");
}

}  // namespace
