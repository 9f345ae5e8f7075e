#include "PruebaEscritura.h"

#include "EngineError.h"
#include "FieldValue.h"
#include "Table.h"

namespace tzv {

PruebaEscritura::PruebaEscritura(const dbf::Table& tabla, std::string manejador, std::string ruta)
    : formato_(tabla.layout()),
      manejador_(std::move(manejador)),
      ruta_(std::move(ruta)),
      registro_(formato_.recordLength, ' ') {
  dbf::blankRecord(formato_, registro_.data());
}

const dbf::Field* PruebaEscritura::nuevo(const char* campo, const std::string& valor) {
  const int i = formato_.find(campo);
  if (i < 0 || !probados_[campo].insert(valor).second) return nullptr;
  return &formato_.fields[static_cast<std::size_t>(i)];
}

std::string PruebaEscritura::error(const dbf::EngineError& e, std::uint32_t registro) const {
  return (manejador_.empty() ? "" : manejador_ + ": ") + e.what() +
         dbf::recordPlace(ruta_, registro);
}

// As the run's handle stores them: setString and setInteger.
std::string PruebaEscritura::texto(const char* campo, std::string_view valor,
                                   std::uint32_t registro) {
  const dbf::Field* f = nuevo(campo, std::string(valor));
  if (f == nullptr) return {};
  try {
    dbf::writeText(formato_, *f, registro_.data(), valor);
  } catch (const dbf::EngineError& e) {
    return error(e, registro);
  }
  return {};
}

std::string PruebaEscritura::entero(const char* campo, std::int64_t valor, std::uint32_t registro) {
  const dbf::Field* f = nuevo(campo, std::to_string(valor));
  if (f == nullptr) return {};
  try {
    if (!dbf::writeIntegerFast(*f, registro_.data(), valor))
      dbf::writeValue(formato_, *f, registro_.data(), dbf::Value::ofInteger(valor));
  } catch (const dbf::EngineError& e) {
    return error(e, registro);
  }
  return {};
}

}  // namespace tzv
