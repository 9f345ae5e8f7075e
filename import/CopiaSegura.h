#pragma once
// Putting the rebuilt timetables back into the GESCEN folder without ever losing one:
// both files are written beside their targets under temporary names and flushed, the
// old files are kept in a dated folder under the staging folder, and only then are the
// new ones put in place by renaming. A failure leaves both old files as they were; a
// crash at any moment leaves each file old or new, whole.

#include <string>

namespace tzv {

inline constexpr const char* kCarpetaCopias = "C:\\ZORVTMP\\VALENCIA\\COPIAS";

// Replaces horgrup.dbf and horprof.dbf of `carpetaGC` with the staged copies. Returns the
// folder that keeps the old files (empty when there were none).
std::string DevolverHorarios(const std::string& carpetaGC);

}  // namespace tzv
