#include "procesos/comprobacion/PruebaEscritura.h"

#include "dbf/EngineError.h"
#include "dbf/FieldValue.h"
#include "dbf/Table.h"

namespace procesos {

PruebaEscritura::PruebaEscritura(const dbf::Table& tabla, std::string manejador, std::string ruta)
    : formato_(tabla.layout()),
      manejador_(std::move(manejador)),
      ruta_(std::move(ruta)),
      registro_(formato_.recordLength, ' ') {
  dbf::blankRecord(formato_, registro_.data());
}

PruebaEscritura::Campo& PruebaEscritura::campo(const char* nombre) {
  for (Campo& c : campos_)
    if (c.nombre == nombre) return c;
  const int i = formato_.find(nombre);
  return campos_.emplace_back(
      Campo{nombre, i < 0 ? nullptr : &formato_.fields[static_cast<std::size_t>(i)], {}, {}});
}

std::string PruebaEscritura::error(const dbf::EngineError& e, std::uint32_t registro) const {
  return (manejador_.empty() ? "" : manejador_ + ": ") + e.what() +
         dbf::recordPlace(ruta_, registro);
}

// As the run's handle stores them: setString and setInteger.
std::string PruebaEscritura::texto(const char* nombre, std::string_view valor,
                                   std::uint32_t registro) {
  Campo& c = campo(nombre);
  if (c.campo == nullptr || !c.textos.emplace(valor).second) return {};
  try {
    dbf::writeText(formato_, *c.campo, registro_.data(), valor);
  } catch (const dbf::EngineError& e) {
    return error(e, registro);
  }
  return {};
}

std::string PruebaEscritura::entero(const char* nombre, std::int64_t valor,
                                    std::uint32_t registro) {
  Campo& c = campo(nombre);
  if (c.campo == nullptr || !c.enteros.insert(valor).second) return {};
  try {
    if (!dbf::writeIntegerFast(*c.campo, registro_.data(), valor))
      dbf::writeValue(formato_, *c.campo, registro_.data(), dbf::Value::ofInteger(valor));
  } catch (const dbf::EngineError& e) {
    return error(e, registro);
  }
  return {};
}

}  // namespace procesos
