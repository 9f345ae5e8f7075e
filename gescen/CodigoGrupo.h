#pragma once
// A GESCEN group code read as course (character 1), level (characters 2 to 4) and group
// letter (the last character), and the group abbreviation made of them.
#include <string>

namespace gescen {

struct CodigoGrupo {
  std::string curso;
  std::string nivel;
  std::string grupo;
  // First and third characters of the level, the course and the group letter.
  std::string abreviatura() const;
  // A code of fewer than two characters has no level: it is not used.
  bool utilizable() const { return !nivel.empty() && !curso.empty(); }
};

CodigoGrupo trocearGrupo(const std::string& codgrup);

}  // namespace gescen
