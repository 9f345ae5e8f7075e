#pragma once
namespace gc {
class Catalogo;
}
namespace tzv {
// ASIGT.DBF: one row per distinct subject, teacher and group of the GESCEN group
// timetable, in the generator's abbreviations, with the subject's weekly hours.
void ExportarAsignaciones(gc::Catalogo& tablas);
// The same with the group timetable already being read, as the export run starts it.
class Lecciones;
void ExportarAsignaciones(gc::Catalogo& tablas, Lecciones& lecciones);
}  // namespace tzv
