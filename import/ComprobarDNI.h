#pragma once
#include "Interaccion.h"
#include "Table.h"

namespace tzv {

// Makes sure every teacher of PROFT.DBF has a DNI, offering the teacher grid once when
// one has none. Returns true with `profesores` open on PROFT.DBF; returns false after
// telling the user and closing the main dialog when a teacher is still without DNI.
bool ComprobarDNI(dbf::Table& profesores, Interaccion& ui);

}  // namespace tzv
