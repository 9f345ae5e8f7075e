#include "gescen/TablasIntercambio.h"

#include "dbf/Recreate.h"
#include "gescen/Staging.h"

namespace gescen {

std::string rutaIntercambio(const std::string& archivo) {
  return std::string(gescen::kCarpetaTrabajo) + "\\" + archivo;
}

void recrearIntercambio(dbf::Table& tabla, const std::string& archivo,
                        const std::vector<dbf::FieldDef>& campos,
                        const std::vector<dbf::IndexDef>& indices) {
  dbf::recrearTabla(tabla, gescen::kCarpetaTrabajo, archivo, campos, indices);
  tabla.setExclusive(true);
}

}  // namespace gescen
