#pragma once
// Small tables for the tests, made through the engine.
#include <filesystem>
#include <string>
#include <vector>

#include "dbf/Table.h"
#include "plat/WinPath.h"

// Creates a table at a Windows or native path with these fields.
inline void crear(const std::string& path, const std::vector<dbf::FieldDef>& campos,
                  const std::vector<dbf::IndexDef>& indices = {}) {
  std::filesystem::create_directories(std::filesystem::path(plat::toNative(path)).parent_path());
  dbf::Table t;
  t.setTableName(path);
  t.fieldDefs() = campos;
  t.indexDefs() = indices;
  t.createTable();
}

// Creates a table with one string field CODIGO (width 10) holding these values.
inline void crearCodigos(const std::string& path, const std::vector<std::string>& codigos,
                         int width = 10) {
  crear(path, {{"CODIGO", dbf::FieldKind::String, width}});
  dbf::Table t;
  t.setTableName(path);
  t.open();
  for (const auto& c : codigos) {
    t.append();
    t.setString("CODIGO", c);
  }
  if (!codigos.empty()) t.post();
  t.close();
}

inline std::vector<std::string> leerCodigos(dbf::Table& t, const char* campo = "CODIGO") {
  std::vector<std::string> out;
  for (t.first(); !t.eof(); t.next()) out.push_back(t.asString(campo));
  return out;
}
