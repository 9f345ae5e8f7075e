#pragma once
// The exchange tables that the export writes into the work folder, with their fields.

#include <string>
#include <vector>

#include "dbf/DbfLayout.h"
#include "dbf/Table.h"

namespace gescen {

inline constexpr const char* kASIGVALT = "ASIGVALT.DBF";
inline constexpr const char* kASIGNOMT = "ASIGNOMT.DBF";
inline constexpr const char* kPROFT = "PROFT.DBF";
inline constexpr const char* kAULAT = "AULAT.DBF";
inline constexpr const char* kALUMNOST = "ALUMNOST.DBF";
inline constexpr const char* kASIGCURT = "ASIGCURT.DBF";
inline constexpr const char* kGRUPOST = "GRUPOST.DBF";
inline constexpr const char* kCURSOST = "CURSOST.DBF";
inline constexpr const char* kASIGT = "ASIGT.DBF";

// The nine tables in the order the export writes them.
inline const std::vector<std::string>& tablasIntercambio() {
  static const std::vector<std::string> tablas = {kASIGVALT, kASIGNOMT, kPROFT,   kAULAT, kALUMNOST,
                                                  kASIGCURT, kGRUPOST,  kCURSOST, kASIGT};
  return tablas;
}

// Full path of an exchange table in the work folder.
std::string rutaIntercambio(const std::string& archivo);

// Recreates an exchange table in the work folder, its handle left closed and marked
// exclusive: the writer is the table's only user while it fills it, so no other program
// reads it half-written, and the engine can store its records in batches.
void recrearIntercambio(dbf::Table& tabla, const std::string& archivo,
                        const std::vector<dbf::FieldDef>& campos,
                        const std::vector<dbf::IndexDef>& indices = {});

// A text field of that width, an integer, a float, a boolean.
inline dbf::FieldDef texto(const char* nombre, int ancho) {
  return {nombre, dbf::FieldKind::String, ancho};
}
inline dbf::FieldDef entero(const char* nombre) { return {nombre, dbf::FieldKind::Integer, 0}; }
inline dbf::FieldDef real(const char* nombre) { return {nombre, dbf::FieldKind::Float, 0}; }
inline dbf::FieldDef logico(const char* nombre) { return {nombre, dbf::FieldKind::Boolean, 0}; }

}  // namespace gescen
