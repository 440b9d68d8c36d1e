// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <functional>
#include <utility>

namespace merin::bench {

// A window of type W that calls `done` once, right after its first frame has been painted.
template <class W>
class FirstFrame : public W {
 public:
  // Builds W from `args`; `done` runs from the event loop after the first paint.
  template <class... Args>
  explicit FirstFrame(std::function<void()> done, Args&&... args)
      : W(std::forward<Args>(args)...), done_(std::move(done)) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    W::paintEvent(event);
    // The children are painted and the frame is flushed in the same pass; the timer fires after.
    if (done_) QTimer::singleShot(0, std::exchange(done_, nullptr));
  }

 private:
  std::function<void()> done_;
};

}  // namespace merin::bench
