#pragma once
#include "dbf/Table.h"
#include "procesos/Interaccion.h"

namespace procesos {

// True when a teacher of the table has no DNI (0 or empty). Scans from the first
// record, which also stores a record still being edited.
bool algunProfesorSinDni(dbf::Table& profesores);

// Makes sure every teacher of PROFT.DBF has a DNI, offering the teacher grid once when
// one has none. Returns true with `profesores` open on PROFT.DBF; returns false after
// telling the user (kProfesorSinDni) when a teacher is still without DNI.
bool ComprobarDNI(dbf::Table& profesores, Interaccion& ui);

}  // namespace procesos
