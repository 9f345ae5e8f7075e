#pragma once
// Lookups for the writers' long loops: maps keyed by short texts, and results worked out
// once per distinct stored value of a field. Long tables repeat a few codes many times:
// comparing a field's stored bytes costs far less than decoding them and looking the text
// up, row after row.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <tsl/robin_map.h>

#include "Table.h"

namespace tzv {

// A multiplicative hash taking eight bytes at a time: codes are short, and this hash
// needs no call.
struct HashBytes {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const {
    std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ull;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, s.data() + i, 8);
      h = (h ^ w) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 29;
    }
    std::uint64_t resto = 0;
    std::memcpy(&resto, s.data() + i, s.size() - i);
    h = (h ^ resto) * 0xC4CEB9FE1A85EC53ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }
};

// Equal bytes, compared eight at a time: for short codes, faster than a library call.
struct MismosBytes {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    std::size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a.data() + i, 8);
      std::memcpy(&y, b.data() + i, 8);
      if (x != y) return false;
    }
    for (; i < a.size(); ++i)
      if (a[i] != b[i]) return false;
    return true;
  }
};

// A map from texts, looked up with a std::string or a std::string_view. Its elements
// move when it grows: keep values, not references into it.
template <class V>
using MapaTextos = tsl::robin_map<std::string, V, HashBytes, MismosBytes>;

// The result for each distinct value of one field, worked out the first time the value
// is met in a scan.
template <class V>
class MemoCampo {
 public:
  // A field whose value also depends on flags kept elsewhere in the record (nulls and
  // varchar lengths) is worked out every time.
  MemoCampo(const dbf::Table& tabla, const dbf::Field& campo)
      : tabla_(tabla), campo_(campo), memorizable_(campo.nullBit < 0 && campo.lengthBit < 0) {}

  // The result for the current record: `calcular()` when its stored bytes are new. The
  // reference holds until the next call.
  template <class Calcular>
  const V& de(Calcular&& calcular) {
    if (!memorizable_) return sinMemoria_ = calcular();
    const std::string_view bytes = tabla_.storedBytes(campo_);
    // Rows of one code often follow each other.
    if (ultimo_ != nullptr && MismosBytes()(ultimo_->first, bytes)) return ultimo_->second;
    auto it = valores_.find(bytes);
    if (it == valores_.end()) it = valores_.emplace(std::string(bytes), calcular()).first;
    ultimo_ = &*it;  // found again by the next call, before anything moves
    return it->second;
  }

 private:
  const dbf::Table& tabla_;
  const dbf::Field& campo_;
  bool memorizable_;
  MapaTextos<V> valores_;
  const typename MapaTextos<V>::value_type* ultimo_ = nullptr;
  V sinMemoria_{};
};

}  // namespace tzv
