#pragma once
namespace gc {
class Catalogo;
}
namespace tzv {
// ALUMNOST.DBF: one row per student with a usable group code, with level, course,
// group, shift, repeater flag and the abbreviations of up to 50 subjects.
void ExportarAlumnos(gc::Catalogo& tablas);
}  // namespace tzv
