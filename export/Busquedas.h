#pragma once
// Lookups for the writers' long loops: maps keyed by short texts, and results worked out
// once per distinct stored value of a field. Long tables repeat a few codes many times:
// comparing a field's stored bytes costs far less than decoding them and looking the text
// up, row after row.

#include <tsl/robin_map.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Table.h"

namespace tzv {

// Every bit of a word mixed into every bit of the result (MurmurHash3's finaliser): the
// tables look at the low bits only, and codes often differ in their last characters,
// which a plain multiplication leaves in the high bits.
inline std::uint64_t mezclar(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ull;
  x ^= x >> 33;
  return x;
}

// Texts hashed eight bytes at a time: codes are short, and this hash needs no call.
struct HashBytes {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const {
    std::uint64_t h = s.size();
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, s.data() + i, 8);
      h = mezclar(h ^ w);
    }
    std::uint64_t resto = 0;  // byte by byte: a copy of variable length would be a call
    for (unsigned k = 0; i + k < s.size(); ++k)
      resto |= std::uint64_t{static_cast<unsigned char>(s[i + k])} << (8 * k);
    return static_cast<std::size_t>(mezclar(h ^ resto ^ 0x9E3779B97F4A7C15ull));
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

// Two words taken together as one key: up to sixteen bytes of codes, or numbers.
struct ClaveCorta {
  std::uint64_t a = 0, b = 0;
  bool operator==(const ClaveCorta&) const = default;
};

// A plain field of eight to sixteen bytes, whose stored bytes make one short key: two
// words read straight from the record, overlapping when the field is narrower.
inline bool enDosPalabras(const dbf::Field& f) {
  return f.nullBit < 0 && f.lengthBit < 0 && f.length >= 8 && f.length <= 16;
}
struct DosPalabras {
  std::size_t primera, segunda;  // where each word starts in the record
  explicit DosPalabras(const dbf::Field& f)
      : primera(static_cast<std::size_t>(f.offset)),
        segunda(static_cast<std::size_t>(f.offset + f.length - 8)) {}
  ClaveCorta de(const char* registro) const {
    ClaveCorta k;
    std::memcpy(&k.a, registro + primera, 8);
    std::memcpy(&k.b, registro + segunda, 8);
    return k;
  }
};

// A map from short keys with a table of its own: a key's slot is taken from the high
// bits of a product, which every bit of the key reaches, and a taken slot sends the key
// to the next one. The table is never more than half full.
template <class V>
class MapaCorto {
 public:
  // Where the key's value is, or null.
  const V* find(const ClaveCorta& k) const {
    if (huecos_.empty()) return nullptr;
    for (std::size_t i = posicion(k);; i = (i + 1) & mascara_) {
      const Hueco& h = huecos_[i];
      if (!h.usado) return nullptr;
      if (h.clave == k) return &h.valor;
    }
  }
  bool contains(const ClaveCorta& k) const { return find(k) != nullptr; }
  // Adds the key with its value unless it is there; either way, its value.
  const V& try_emplace(const ClaveCorta& k, V valor) {
    if (2 * (tamano_ + 1) > huecos_.size()) crecer();
    std::size_t i = posicion(k);
    for (; huecos_[i].usado; i = (i + 1) & mascara_)
      if (huecos_[i].clave == k) return huecos_[i].valor;
    huecos_[i] = {k, std::move(valor), true};
    ++tamano_;
    return huecos_[i].valor;
  }
  std::size_t size() const { return tamano_; }

 private:
  struct Hueco {
    ClaveCorta clave;
    V valor{};
    bool usado = false;
  };

  std::size_t posicion(const ClaveCorta& k) const {
    std::uint64_t h = k.a * 0x9E3779B97F4A7C15ull ^ k.b;
    h ^= h >> 32;
    return static_cast<std::size_t>((h * 0xC2B2AE3D27D4EB4Full) >> desplazamiento_);
  }

  void crecer() {
    std::vector<Hueco> antes(huecos_.empty() ? 16 : 2 * huecos_.size());
    antes.swap(huecos_);
    mascara_ = huecos_.size() - 1;
    desplazamiento_ = 64;
    for (std::size_t n = huecos_.size(); n > 1; n /= 2) --desplazamiento_;
    tamano_ = 0;
    for (Hueco& h : antes)
      if (h.usado) try_emplace(h.clave, std::move(h.valor));
  }

  std::vector<Hueco> huecos_;
  std::size_t mascara_ = 0;
  unsigned desplazamiento_ = 64;
  std::size_t tamano_ = 0;
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
    const V* const* hallado = cortos_.find(clave);
    ultimo_ = hallado != nullptr ? *hallado : cortos_.try_emplace(clave, guardar(calcular));
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
  MapaCorto<const V*> cortos_;
  MapaTextos<const V*> largos_;
  ClaveCorta ultimaCorta_;
  std::string_view ultimaLarga_;
  const V* ultimo_ = nullptr;
  std::optional<V> sinMemoria_;
};

}  // namespace tzv
