#pragma once

#include "platform/Shared.h"

namespace wexo {

// Whether the desktop's all-windows view is open. Answered by the tracker of
// the front-most application (FrontMostObserver), which installs itself in
// SharedSlot<ExposeQuery>; the action executor asks through here because the
// event paths sit above it.
class ExposeQuery {
  public:
    virtual ~ExposeQuery() = default;
    virtual bool isExposeOpen() const = 0;
};

// False while nothing answers.
inline bool isExposeOpen() {
    auto* q = SharedSlot<ExposeQuery>::get();
    return q && q->isExposeOpen();
}

}  // namespace wexo
