#pragma once
// Room codes: GESCEN numbers its rooms, and the generator's solution names them by text.

#include <cstdint>
#include <string>

namespace gescen {

// The room number a solution's AULA gives: a whole number shorter than four characters
// once blanks are trimmed; false otherwise.
bool numeroAula(const std::string& aula, std::int64_t& numero);

}  // namespace gescen
