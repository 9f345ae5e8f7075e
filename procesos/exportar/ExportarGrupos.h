#pragma once
namespace gc {
class Catalogo;
}
namespace tzv {
// GRUPOST.DBF (one row per distinct shift, level, course and group) and CURSOST.DBF (one
// per distinct shift, level and course), in order of first appearance.
void ExportarGrupos(gc::Catalogo& tablas);
}  // namespace tzv
