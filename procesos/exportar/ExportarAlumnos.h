#pragma once
namespace gescen {
class Catalogo;
}
namespace procesos {
// ALUMNOST.DBF: one row per student with a usable group code, with level, course,
// group, shift, repeater flag and the abbreviations of up to 50 subjects.
void ExportarAlumnos(gescen::Catalogo& tablas);
}  // namespace procesos
