#include "gescen/TablasIntercambio.h"

#include "dbf/Recreate.h"
#include "gescen/Staging.h"

namespace tzv {

std::string rutaIntercambio(const std::string& archivo) {
  return std::string(gc::kCarpetaTrabajo) + "\\" + archivo;
}

void recrearIntercambio(dbf::Table& tabla, const std::string& archivo,
                        const std::vector<dbf::FieldDef>& campos,
                        const std::vector<dbf::IndexDef>& indices) {
  dbf::recrearTabla(tabla, gc::kCarpetaTrabajo, archivo, campos, indices);
  tabla.setExclusive(true);
}

}  // namespace tzv
