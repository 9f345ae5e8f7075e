#include "gescen/Aula.h"

#include <charconv>
#include <string_view>

#include "gescen/Texto.h"

namespace gescen {

bool numeroAula(const std::string& aula, std::int64_t& numero) {
  const std::string t = gescen::sinBlancos(aula);
  if (t.empty() || t.size() >= 4) return false;
  std::string_view digits = t;
  if (digits.front() == '+') digits.remove_prefix(1);
  auto r = std::from_chars(digits.data(), digits.data() + digits.size(), numero);
  return r.ec == std::errc() && r.ptr == digits.data() + digits.size();
}

}  // namespace gescen
