#pragma once

namespace wexo::ui::qt {

// What the event being handled is, as far as the controllers ask: whether
// it is a release of the left mouse button (a click's or a drag's end).
// Main thread only.
class CurrentEvent {
  public:
    static bool isLeftMouseUp() { return leftMouseUp_; }

    // For the time it lives, the event being handled is (or is not) a
    // left-button release; the previous answer returns afterwards.
    class Scope {
      public:
        explicit Scope(bool leftMouseUp) : previous_(leftMouseUp_) { leftMouseUp_ = leftMouseUp; }
        ~Scope() { leftMouseUp_ = previous_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        bool previous_;
    };

  private:
    static inline bool leftMouseUp_ = false;
};

}  // namespace wexo::ui::qt
