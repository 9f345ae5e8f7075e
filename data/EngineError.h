#pragma once
#include <stdexcept>
#include <string>

namespace dbf {

// A failure of the table engine. The text is what the user sees.
class EngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace dbf
