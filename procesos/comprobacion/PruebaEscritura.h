#pragma once
// What a run would store in a table it fills, tried without writing anything: each value
// goes through the engine's own field writers into a blank record of the table's layout,
// so that a value the table's fields cannot hold is found with the run's own error.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dbf/DbfLayout.h"

namespace dbf {
class EngineError;
class Table;
}  // namespace dbf

namespace procesos {

class PruebaEscritura {
 public:
  // `tabla` is open on the table as the run will find it; the run's handle on it is
  // `manejador` and names it `ruta`.
  PruebaEscritura(const dbf::Table& tabla, std::string manejador, std::string ruta);

  // The run's error for storing `valor` into field `campo` of its record `registro`, as
  // text or as a whole number; empty when it fits, when the table lacks the field (the
  // run stops there for that) or when that value was tried in that field already.
  std::string texto(const char* campo, std::string_view valor, std::uint32_t registro);
  std::string entero(const char* campo, std::int64_t valor, std::uint32_t registro);

 private:
  // A field of the table and the values tried in it. A run's rows repeat a few values
  // many times: each is tried once.
  struct Campo {
    std::string nombre;
    const dbf::Field* campo;  // null when the table lacks it
    std::unordered_set<std::string> textos;
    std::unordered_set<std::int64_t> enteros;
  };
  Campo& campo(const char* nombre);
  std::string error(const dbf::EngineError& e, std::uint32_t registro) const;

  dbf::Layout formato_;
  std::string manejador_, ruta_;
  std::string registro_;  // a blank record, written over by every try
  std::vector<Campo> campos_;
};

}  // namespace procesos
