#pragma once
namespace gc {
class Catalogo;
}
namespace tzv {
// AULAT.DBF: one row per GESCEN room, building "1" and capacity 0.
void ExportarAulas(gc::Catalogo& tablas);
}  // namespace tzv
