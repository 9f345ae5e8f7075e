#include "TablasIntercambio.h"

#include "Staging.h"

namespace tzv {

std::string rutaIntercambio(const std::string& archivo) { return std::string(gc::kCarpetaTrabajo) + "\\" + archivo; }

}  // namespace tzv
