#pragma once

#include <string_view>

#include "platform/Event.h"
#include "platform/EventStream.h"
#include "platform/Shared.h"

namespace wexo {

// Hears every verdict the mouse tap and the wheel tap give: which tap, the
// stage that decided, pass or swallow, and the event as it leaves the tap
// (changed, when the stage changed it). Installed in SharedSlot<DecisionTracer>
// only while someone listens; when none is installed tracing costs one load.
class DecisionTracer {
  public:
    virtual ~DecisionTracer() = default;
    virtual void decision(std::string_view tap, std::string_view stage, platform::Verdict verdict,
                          const platform::Event& event) = 0;
    // A tap's state machine changed its state (or acted within one): the
    // transition's name and the states before and after.
    virtual void transition(std::string_view /*tap*/, std::string_view /*name*/,
                            std::string_view /*from*/, std::string_view /*to*/) {}
};

// Reports a verdict to the tracer, if any, and hands it back:
//   return traced("wheel", "controlHeld", Verdict::pass(), event);
inline platform::Verdict traced(std::string_view tap, std::string_view stage,
                                platform::Verdict verdict, const platform::Event& event) {
    if (auto* t = SharedSlot<DecisionTracer>::get()) t->decision(tap, stage, verdict, event);
    return verdict;
}

}  // namespace wexo
