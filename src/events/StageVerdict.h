#pragma once

#include "platform/EventStream.h"

namespace wexo {

// What one stage of a tap decides about an event: it passes or is swallowed
// here, and the stage's name tells the decision trace who decided; or the
// stage leaves it to the next one.
class [[nodiscard]] StageVerdict {
  public:
    static StageVerdict pass(const char* stage) { return StageVerdict(Kind::Pass, stage); }
    static StageVerdict swallow(const char* stage) { return StageVerdict(Kind::Swallow, stage); }
    static StageVerdict next() { return StageVerdict(Kind::Next, ""); }

    bool decided() const { return kind_ != Kind::Next; }
    bool swallows() const { return kind_ == Kind::Swallow; }
    // The tap's answer; only meaningful once decided.
    platform::Verdict verdict() const {
        return kind_ == Kind::Swallow ? platform::Verdict::swallow() : platform::Verdict::pass();
    }
    const char* stage() const { return stage_; }

  private:
    enum class Kind { Next, Pass, Swallow };
    StageVerdict(Kind kind, const char* stage) : kind_(kind), stage_(stage) {}

    Kind kind_;
    const char* stage_;
};

}  // namespace wexo
