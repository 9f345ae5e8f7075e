#pragma once
namespace gc {
class Catalogo;
}
namespace tzv {
// ASIGT.DBF: one row per distinct subject, teacher and group of the GESCEN group
// timetable, in the generator's abbreviations, with the subject's weekly hours.
void ExportarAsignaciones(gc::Catalogo& tablas);
}  // namespace tzv
