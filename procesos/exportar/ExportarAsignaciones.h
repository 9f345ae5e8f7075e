#pragma once
namespace gescen {
class Catalogo;
}
namespace procesos {
// ASIGT.DBF: one row per distinct subject, teacher and group of the GESCEN group
// timetable, in the generator's abbreviations, with the subject's weekly hours.
void ExportarAsignaciones(gescen::Catalogo& tablas);
}  // namespace procesos
