#pragma once
// Deterministic pseudo-random numbers (SplitMix64), the same on every system and
// standard library for a given seed, so that a seed always gives the same files.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace gen {

class Azar {
 public:
  explicit Azar(std::uint64_t semilla) : estado_(semilla) {}

  // A stream of its own for one purpose, independent of how much this one is used.
  Azar derivado(std::uint64_t etiqueta) const {
    return Azar(mezclar(estado_ ^ mezclar(etiqueta + 0x51ED2701u)));
  }

  std::uint64_t siguiente() {
    estado_ += 0x9E3779B97F4A7C15ull;
    return mezclar(estado_);
  }

  // 0 <= result < n (n > 0).
  std::uint64_t menor(std::uint64_t n) {
    if (n == 0) throw std::logic_error("Azar::menor(0)");
    return siguiente() % n;
  }
  int entre(int a, int b) {
    return a + static_cast<int>(menor(static_cast<std::uint64_t>(b - a + 1)));
  }
  // True with probability porMil / 1000.
  bool porMil(int porMil) { return static_cast<int>(menor(1000)) < porMil; }

  template <class T>
  const T& elegir(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(menor(v.size()))];
  }
  template <class T, std::size_t N>
  const T& elegir(const T (&v)[N]) {
    return v[static_cast<std::size_t>(menor(N))];
  }

  template <class T>
  void barajar(std::vector<T>& v) {
    for (std::size_t i = v.size(); i > 1; --i) {
      std::size_t j = static_cast<std::size_t>(menor(i));
      std::swap(v[i - 1], v[j]);
    }
  }

 private:
  static std::uint64_t mezclar(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t estado_;
};

}  // namespace gen
