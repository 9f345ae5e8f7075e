#pragma once
// Work started in a second thread, so that it goes on while the run does other things.

#include <future>
#include <system_error>
#include <utility>

namespace tzv {

// Starts `tarea` in a thread of its own; when no thread can be had, does it here and now.
template <class Tarea>
std::future<void> enSegundoPlano(Tarea tarea) {
  try {
    return std::async(std::launch::async, tarea);
  } catch (const std::system_error&) {
    std::future<void> hecha = std::async(std::launch::deferred, std::move(tarea));
    hecha.wait();
    return hecha;
  }
}

}  // namespace tzv
