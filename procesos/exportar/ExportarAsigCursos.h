#pragma once
namespace procesos {
// ASIGCURT.DBF: the weekly hours of every subject by level and course, one row per row
// of ASIGVALT.DBF in subject-code order.
void ExportarAsigCursos();
}  // namespace procesos
