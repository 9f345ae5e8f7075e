#pragma once
namespace gescen {
class Catalogo;
}
namespace procesos {
// GRUPOST.DBF (one row per distinct shift, level, course and group) and CURSOST.DBF (one
// per distinct shift, level and course), in order of first appearance.
void ExportarGrupos(gescen::Catalogo& tablas);
}  // namespace procesos
