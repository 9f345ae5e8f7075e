#pragma once
// The cursor around the import's check dialogs: while one is up the cursor is the
// normal one, whatever the run set; the run's hourglass comes back when the dialog is
// gone, also when it ends by an error.

#include <functional>
#include <utility>

namespace ui {

class CursorNormalDurante {
 public:
  // `esperando`: the run's hourglass is up. `normal` shows the normal cursor in its
  // place and `devolver` brings the hourglass back; neither is called otherwise.
  CursorNormalDurante(bool esperando, std::function<void()> normal, std::function<void()> devolver)
      : esperando_(esperando), devolver_(std::move(devolver)) {
    if (esperando_) normal();
  }
  ~CursorNormalDurante() {
    if (esperando_) devolver_();
  }
  CursorNormalDurante(const CursorNormalDurante&) = delete;
  CursorNormalDurante& operator=(const CursorNormalDurante&) = delete;

 private:
  bool esperando_;
  std::function<void()> devolver_;
};

}  // namespace ui
