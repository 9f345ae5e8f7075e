#pragma once
// Work started in a second thread, so that it goes on while the run does other things.

#include <future>
#include <system_error>
#include <utility>

namespace tzv {

// Starts `tarea` in a thread of its own. When no thread can be had, the work is done by
// the first thread that waits for it: not here and now, since it may wait for a
// go-ahead (Aviso) that the run gives only later. The work's end can be waited for, and
// its error raised, as many times as asked.
template <class Tarea>
std::shared_future<void> enSegundoPlano(Tarea tarea) {
  try {
    return std::async(std::launch::async, tarea).share();
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, std::move(tarea)).share();
  }
}

// The go-ahead the run gives to work done ahead once what the work needs is written:
// given once, or withdrawn when the run ends without giving it, so that the work never
// waits for it forever.
class Aviso {
 public:
  void dar() { responder(true); }
  void retirar() { responder(false); }
  // For the work: waits for the answer; true when the go-ahead was given.
  bool esperar() { return respuesta_.get(); }

 private:
  void responder(bool si) {
    if (respondido_) return;
    respondido_ = true;
    promesa_.set_value(si);
  }

  std::promise<bool> promesa_;
  std::future<bool> respuesta_ = promesa_.get_future();  // taken here, before any work starts
  bool respondido_ = false;
};

}  // namespace tzv
