#include "dbf/Recreate.h"

#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace dbf {
namespace {

std::string withExtension(const std::string& archivo, const char* ext) {
  auto dot = archivo.find_last_of('.');
  return (dot == std::string::npos ? archivo : archivo.substr(0, dot)) + ext;
}

void deleteIfPresent(const std::string& path) {
  const std::string native = plat::toNative(path);
  if (plat::fileExists(native)) plat::removeFile(native);
}

}  // namespace

void recrearTabla(Table& tabla, const std::string& carpeta, const std::string& archivo,
                  const std::vector<FieldDef>& campos, const std::vector<IndexDef>& indices) {
  // The old data file is written over rather than deleted: the table is written whole
  // right after, and the system keeps the file's storage instead of freeing it and
  // taking it back.
  deleteIfPresent(plat::join(carpeta, withExtension(archivo, ".MDX")));
  tabla.close();
  tabla.setDatabaseName(carpeta);
  tabla.setTableName(archivo);
  tabla.fieldDefs() = campos;
  tabla.indexDefs() = indices;
  tabla.rewriteTable();
}

}  // namespace dbf
