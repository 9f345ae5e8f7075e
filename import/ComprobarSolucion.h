#pragma once
// The generator's solution is checked before anything is written: a solution that would
// leave the school without its timetable is refused, and GESCEN keeps the one it has.

namespace dbf {
class Table;
}

namespace tzv {

// Refuses (std::runtime_error) a SOLUC.DBF that holds fewer records than its header
// says, cut short by a copy or a full disk, and one without a single timetable row (a
// record with a day). `soluc` is the closed solution handle; it is closed again after.
void ComprobarSolucion(dbf::Table& soluc);

}  // namespace tzv
