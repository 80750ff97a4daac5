#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace wexo::platform {

template <class Signature>
class FunctionRef;

// A callable borrowed for the length of one call: the stream hands each tap
// callback to its host through one of these, so a million events cost no
// std::function built per event. Never store one.
template <class R, class... Args>
class FunctionRef<R(Args...)> {
  public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
             std::is_invocable_r_v<R, F&, Args...>)
        FunctionRef(F&& f)  // NOLINT: converting on purpose, like std::function
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* o, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(o))(std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

  private:
    void* object_;
    R (*call_)(void*, Args...);
};

}  // namespace wexo::platform
