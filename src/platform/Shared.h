#pragma once

#include <atomic>
#include <cassert>

namespace wexo {

// The process-wide instance of T that `shared()` / `sharedInstance()`
// answers. The composition root installs it and uninstalls it when it goes
// away, so each test can start from a fresh instance; nothing here creates
// one behind a test's back.
template <class T>
class SharedSlot {
  public:
    static T* get() { return instance().load(std::memory_order_acquire); }
    static T& require() {
        T* p = get();
        assert(p && "no shared instance installed: build a composition root first");
        return *p;
    }
    static void install(T* p) { instance().store(p, std::memory_order_release); }
    // Uninstalls only if `p` is still the installed one.
    static void uninstall(T* p) {
        instance().compare_exchange_strong(p, nullptr, std::memory_order_acq_rel);
    }

  private:
    static std::atomic<T*>& instance() {
        static std::atomic<T*> slot{nullptr};
        return slot;
    }
};

// Installs an instance for the lifetime of this object.
template <class T>
class SharedInstallation {
  public:
    explicit SharedInstallation(T* p) : p_(p) { SharedSlot<T>::install(p); }
    ~SharedInstallation() { SharedSlot<T>::uninstall(p_); }
    SharedInstallation(const SharedInstallation&) = delete;
    SharedInstallation& operator=(const SharedInstallation&) = delete;

  private:
    T* p_;
};

}  // namespace wexo
