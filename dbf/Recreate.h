#pragma once
// The recreating pattern of the tables the program creates (exchange tables and the
// class-period template): the old index file goes, then the table is created anew from
// its field and index definitions over the old data file, to be opened and written
// whole (Table::rewriteTable). The handle is left closed.

#include <string>
#include <vector>

#include "dbf/Table.h"

namespace dbf {

void recrearTabla(Table& tabla, const std::string& carpeta, const std::string& archivo,
                  const std::vector<FieldDef>& campos, const std::vector<IndexDef>& indices = {});

}  // namespace dbf
