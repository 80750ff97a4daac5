#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wexo {

// What became of each button's presses that still wait for their release,
// so that each release is handled to match its own press.
//
// Presses of one button can nest: a click the program posts for an action
// ("Right Click" on a side button) is as unmarked as the person's input, and
// it may press and release the very button the person holds. That click
// begins and ends inside the person's press, so releases pair with presses
// last in, first out; a single remembered fate per button would let the
// action's release wipe out the person's press.
class PressFates {
  public:
    enum class Fate : std::uint8_t { Unseen, Passed, Swallowed };
    // Buttons the event stream can number; higher numbers are not followed.
    static constexpr std::size_t kButtons = 32;
    // Presses nested deeper than this lost their releases (the tap was off
    // when they came): the oldest is forgotten.
    static constexpr std::size_t kDepth = 4;

    static bool follows(std::int64_t button) {
        return button >= 0 && static_cast<std::uint64_t>(button) < kButtons;
    }

    void pressed(std::int64_t button, Fate fate) {
        if (!follows(button)) return;
        Stack& s = stacks_[static_cast<std::size_t>(button)];
        if (s.count == kDepth) {
            for (std::size_t i = 1; i < kDepth; ++i) s.fates[i - 1] = s.fates[i];
            --s.count;
        }
        s.fates[s.count++] = fate;
    }
    // The press the next release of `button` ends; Unseen when none waits.
    Fate pending(std::int64_t button) const {
        if (!follows(button)) return Fate::Unseen;
        const Stack& s = stacks_[static_cast<std::size_t>(button)];
        return s.count == 0 ? Fate::Unseen : s.fates[s.count - 1];
    }
    void released(std::int64_t button) {
        if (!follows(button)) return;
        Stack& s = stacks_[static_cast<std::size_t>(button)];
        if (s.count > 0) --s.count;
    }

  private:
    struct Stack {
        std::array<Fate, kDepth> fates{};
        std::size_t count = 0;
    };
    std::array<Stack, kButtons> stacks_{};
};

}  // namespace wexo
