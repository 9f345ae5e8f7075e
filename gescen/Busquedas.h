#pragma once
// Lookups for the writers' long loops: maps keyed by texts, and results worked out once
// per distinct stored value of a field. Long tables repeat a few codes many times:
// comparing a field's stored bytes costs far less than decoding them and looking the text
// up, row after row.

#include <bit>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dbf/Table.h"

namespace gescen {

// A map from texts, looked up with any string or string view. The texts are kept
// aside and the table holds views of them.
template <class V>
class MapaTextos {
  using Mapa = std::unordered_map<std::string_view, V>;

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
  std::deque<std::string> claves_;  // where the texts stay
  Mapa mapa_;
};

// Two words taken together as one key: up to sixteen bytes of stored values.
struct ClaveCorta {
  std::uint64_t a = 0, b = 0;
  bool operator==(const ClaveCorta&) const = default;
};

struct HashClaveCorta {
  std::size_t operator()(const ClaveCorta& k) const {
    return std::hash<std::uint64_t>()(k.a * 0x9E3779B97F4A7C15ull ^ k.b);
  }
};

// The result for each distinct value of one field (or of several together), worked out
// the first time the value is met in a scan. The fields are found by name at the first
// call, so that a missing one fails where the scan first needs it.
template <class V>
class MemoCampo {
 public:
  MemoCampo(const dbf::Table& tabla, std::initializer_list<const char*> nombres) : tabla_(tabla) {
    for (const char* n : nombres) nombres_.emplace_back(tabla, n);
  }

  // The result for the current record: `calcular()` when its stored bytes are new. The
  // reference holds while the memo lives, or only until the next call for a field that
  // is worked out every time.
  template <class Calcular>
  const V& de(Calcular&& calcular) {
    return de(nullptr, calcular);
  }
  // The same for a record handed over by Table::forEachRecord.
  template <class Calcular>
  const V& de(const char* registro, Calcular&& calcular) {
    if (campos_.empty()) encontrarCampos();
    if (!memorizable_) return sinMemoria_.emplace(calcular());
    if (corta_) return buscarCorta(claveCorta(registro), calcular);
    return buscarLarga(claveLarga(registro), calcular);
  }

 private:
  // A field whose value also depends on flags kept elsewhere in the record (nulls and
  // varchar lengths) is worked out every time. Keys of up to sixteen bytes are held in
  // two words, which are compared and hashed at once.
  void encontrarCampos() {
    std::size_t ancho = 0;
    for (const dbf::LazyField& n : nombres_) {
      const dbf::Field& c = *n;
      campos_.push_back(&c);
      memorizable_ = memorizable_ && c.nullBit < 0 && c.lengthBit < 0;
      ancho += static_cast<std::size_t>(c.length);
    }
    corta_ = ancho <= sizeof(ClaveCorta);
  }

  // Rows of one code often follow each other: the last key is tried first.
  template <class Calcular>
  const V& buscarCorta(const ClaveCorta& clave, Calcular& calcular) {
    if (ultimo_ != nullptr && ultimaCorta_ == clave) return *ultimo_;
    auto it = cortos_.find(clave);
    if (it == cortos_.end()) it = cortos_.try_emplace(clave, guardar(calcular)).first;
    ultimo_ = it->second;
    ultimaCorta_ = clave;
    return *ultimo_;
  }

  template <class Calcular>
  const V& buscarLarga(std::string_view clave, Calcular& calcular) {
    if (ultimo_ != nullptr && ultimaLarga_ == clave) return *ultimo_;
    auto it = largos_.find(clave);
    if (it == largos_.end()) it = largos_.try_emplace(clave, guardar(calcular)).first;
    ultimaLarga_ = it->first;  // a view of the text the map keeps aside
    ultimo_ = it->second;
    return *ultimo_;
  }

  template <class Calcular>
  const V* guardar(Calcular& calcular) {
    guardados_.push_back(calcular());
    return &guardados_.back();
  }

  std::string_view bytes(const char* registro, const dbf::Field& c) const {
    return registro != nullptr ? dbf::fieldBytes(registro, c) : tabla_.storedBytes(c);
  }

  // The stored bytes of the fields, one after the other: each field has its own fixed
  // width, so that no two sets of values give one key.
  ClaveCorta claveCorta(const char* registro) const {
    ClaveCorta k;
    if (campos_.size() == 1) {
      // Two loads of eight bytes, the second ending with the field (they may overlap):
      // for a field of fixed width they tell its values apart all the same.
      const dbf::Field& c = *campos_.front();
      const std::string_view b = bytes(registro, c);
      if (b.size() >= 8) {
        std::memcpy(&k.a, b.data(), 8);
        if (b.size() > 8) std::memcpy(&k.b, b.data() + b.size() - 8, 8);
        return k;
      }
      // A narrower field with eight bytes of its record ending with it: those bytes,
      // shifted so that only the field's are left.
      if (!b.empty() && static_cast<std::size_t>(c.offset) + b.size() >= 8) {
        std::memcpy(&k.a, b.data() + b.size() - 8, 8);
        k.a = std::endian::native == std::endian::little ? k.a >> (8 * (8 - b.size()))
                                                         : k.a << (8 * (8 - b.size()));
        return k;
      }
    }
    char juntos[sizeof(ClaveCorta)] = {};
    std::size_t n = 0;
    for (const dbf::Field* c : campos_)
      for (char b : bytes(registro, *c)) juntos[n++] = b;
    std::memcpy(&k.a, juntos, 8);
    std::memcpy(&k.b, juntos + 8, 8);
    return k;
  }

  std::string_view claveLarga(const char* registro) {
    if (campos_.size() == 1) return bytes(registro, *campos_.front());
    juntos_.clear();
    for (const dbf::Field* c : campos_) juntos_ += bytes(registro, *c);
    return juntos_;
  }

  const dbf::Table& tabla_;
  std::vector<dbf::LazyField> nombres_;
  std::vector<const dbf::Field*> campos_;
  bool memorizable_ = true;
  bool corta_ = false;
  std::string juntos_;
  // Results stay where they are as more are added; the maps hold where each one is.
  std::deque<V> guardados_;
  std::unordered_map<ClaveCorta, const V*, HashClaveCorta> cortos_;
  MapaTextos<const V*> largos_;
  ClaveCorta ultimaCorta_;
  std::string_view ultimaLarga_;
  const V* ultimo_ = nullptr;
  std::optional<V> sinMemoria_;
};

}  // namespace gescen
