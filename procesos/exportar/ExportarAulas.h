#pragma once
namespace gescen {
class Catalogo;
}
namespace procesos {
// AULAT.DBF: one row per GESCEN room, building "1" and capacity 0.
void ExportarAulas(gescen::Catalogo& tablas);
}  // namespace procesos
