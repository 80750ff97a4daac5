#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include <nlohmann/json.hpp>

namespace wexo::soak {

// Random but well-formed input for the whole program, one scenario step at a
// time, in the runner's step form: a button is released only while it is
// down, a drag names a button that is down, keys are pressed and released
// in pairs, time only moves forward. Settings change through the screens
// now and then, the pointer crosses windows and displays, applications
// come to the front. The same seed gives the same steps.
class SoakGenerator {
  public:
    explicit SoakGenerator(std::uint64_t seed);

    // The next step ({"at": seconds, <kind>: ...}).
    nlohmann::json next();
    // One by one, the steps that let go of everything still held, then a
    // left click (which ends an auto-scroll started by a click); nothing
    // once they are done.
    std::optional<nlohmann::json> nextRelease();

    // The longest pause between two steps: longer than any animation, throw
    // or release the soak's settings can start.
    static constexpr double kRestSeconds = 6.0;
    // The program's own pid in the scenario.
    static constexpr int kProgram = 100;
    // The desktop and the preference domain every soak starts from: two
    // displays, two applications, and every feature configured.
    static nlohmann::json desktop();
    static nlohmann::json defaults();

    const std::set<int>& heldButtons() const { return buttons_; }
    const std::set<int>& heldKeys() const { return keys_; }
    double now() const { return seconds_; }

  private:
    nlohmann::json at(nlohmann::json step);
    nlohmann::json mouse(const char* type, int button);
    nlohmann::json move();
    nlohmann::json press();
    nlohmann::json release(int button);
    nlohmann::json wheel();
    nlohmann::json key();
    nlohmann::json screen();
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    std::mt19937_64 random_;
    double seconds_ = 0.5;
    double x_ = 400, y_ = 300;
    std::set<int> buttons_;
    std::set<int> keys_;
    std::uint64_t flags_ = 0;
    bool clicked_ = false;
};

}  // namespace wexo::soak
