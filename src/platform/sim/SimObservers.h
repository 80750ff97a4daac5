#pragma once

#include "platform/Observers.h"

namespace wexo::platform::sim {

template <class F>
using SimObservers = Observers<F>;

}  // namespace wexo::platform::sim
