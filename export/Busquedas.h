#pragma once
// Lookups for the writers' long loops: maps keyed by short texts, and results worked out
// once per distinct stored value of a field. Long tables repeat a few codes many times:
// comparing a field's stored bytes costs far less than decoding them and looking the text
// up, row after row.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    std::uint64_t resto = 0;  // byte by byte: a copy of variable length would be a call
    for (unsigned k = 0; i + k < s.size(); ++k) resto |= std::uint64_t{static_cast<unsigned char>(s[i + k])} << (8 * k);
    h = (h ^ resto) * 0xC4CEB9FE1A85EC53ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
  }
};

// Whole numbers spread over the table: the standard hash gives a number back as it is,
// and a table whose size is a power of two would look at its low bits only.
struct HashNumero {
  std::size_t operator()(std::uint64_t n) const {
    n *= 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(n ^ (n >> 32));
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

// A map from texts, looked up with any string or string view. The texts are kept
// aside and the table holds views of them: growing the table then moves small entries
// only.
template <class V>
class MapaTextos {
  using Mapa = tsl::robin_map<std::string_view, V, HashBytes, MismosBytes>;

 public:
  using const_iterator = typename Mapa::const_iterator;

  const_iterator find(std::string_view clave) const { return mapa_.find(clave); }
  const_iterator end() const { return mapa_.end(); }
  bool contains(std::string_view clave) const { return mapa_.find(clave) != mapa_.end(); }
  std::size_t size() const { return mapa_.size(); }

  // Adds the text with its value unless it is there; either way, where its entry is.
  template <class... Valor>
  std::pair<const_iterator, bool> try_emplace(std::string_view clave, Valor&&... valor) {
    if (auto it = mapa_.find(clave); it != mapa_.end()) return {it, false};
    const std::string& guardada = claves_.emplace_back(clave);
    return mapa_.try_emplace(std::string_view(guardada), std::forward<Valor>(valor)...);
  }

 private:
  std::deque<std::string> claves_;  // where the texts stay while the table grows
  Mapa mapa_;
};

// The result for each distinct value of one field (or of several together), worked out
// the first time the value is met in a scan.
template <class V>
class MemoCampo {
 public:
  // A field whose value also depends on flags kept elsewhere in the record (nulls and
  // varchar lengths) is worked out every time.
  MemoCampo(const dbf::Table& tabla, const dbf::Field& campo) : MemoCampo(tabla, {&campo}) {}
  MemoCampo(const dbf::Table& tabla, std::initializer_list<const dbf::Field*> campos)
      : tabla_(tabla), campos_(campos) {
    for (const dbf::Field* c : campos_) memorizable_ = memorizable_ && c->nullBit < 0 && c->lengthBit < 0;
  }

  // The result for the current record: `calcular()` when its stored bytes are new. The
  // results stay in place while the memo lives.
  template <class Calcular>
  const V& de(Calcular&& calcular) {
    if (!memorizable_) return sinMemoria_.emplace(calcular());
    const std::string_view bytes = clave();
    // Rows of one code often follow each other.
    if (ultimo_ != nullptr && MismosBytes()(ultimaClave_, bytes)) return *ultimo_;
    auto it = resultados_.find(bytes);
    if (it == resultados_.end()) {
      guardados_.push_back(calcular());
      it = resultados_.try_emplace(bytes, &guardados_.back()).first;
    }
    ultimaClave_ = it->first;  // a view of the text kept aside, which stays in place
    ultimo_ = it->second;
    return *ultimo_;
  }

 private:
  // The stored bytes of the fields, one after the other: each field has its own fixed
  // width, so that no two sets of values give one key.
  std::string_view clave() {
    if (campos_.size() == 1) return tabla_.storedBytes(*campos_.front());
    juntos_.clear();
    for (const dbf::Field* c : campos_) juntos_ += tabla_.storedBytes(*c);
    return juntos_;
  }

  const dbf::Table& tabla_;
  std::vector<const dbf::Field*> campos_;
  bool memorizable_ = true;
  std::string juntos_;
  // Results stay where they are as more are added; the map holds where each one is.
  std::deque<V> guardados_;
  MapaTextos<const V*> resultados_;
  std::string_view ultimaClave_;
  const V* ultimo_ = nullptr;
  std::optional<V> sinMemoria_;
};

}  // namespace tzv
