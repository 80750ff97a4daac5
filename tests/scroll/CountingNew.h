#pragma once

// Replaces the global allocation functions of the program that includes this
// header (in exactly one of its source files) with ones that count, on the
// calling thread, while that thread asks them to. Every plain, array and
// nothrow form is replaced, so that allocation and release always pair up,
// also under the address sanitizer; the aligned forms stay the library's.

#include <cstddef>
#include <cstdlib>
#include <new>

namespace wexo::testing {

struct AllocationCount {
    static inline thread_local bool counting = false;
    static inline thread_local long count = 0;

    // Allocations made by `work` on this thread.
    template <class F>
    static long of(F&& work) {
        count = 0;
        counting = true;
        work();
        counting = false;
        return count;
    }
};

namespace countingnew {
// Not inlined: GCC would otherwise pair its own idea of new with free() and
// warn of a mismatch that is not there.
[[gnu::noinline]] inline void* allocate(std::size_t size) {
    if (AllocationCount::counting) ++AllocationCount::count;
    return std::malloc(size ? size : 1);
}
[[gnu::noinline]] inline void release(void* p) {
    std::free(p);
}
}  // namespace countingnew

}  // namespace wexo::testing

void* operator new(std::size_t size) {
    if (void* p = wexo::testing::countingnew::allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return wexo::testing::countingnew::allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return wexo::testing::countingnew::allocate(size);
}
void operator delete(void* p) noexcept {
    wexo::testing::countingnew::release(p);
}
void operator delete[](void* p) noexcept {
    wexo::testing::countingnew::release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    wexo::testing::countingnew::release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    wexo::testing::countingnew::release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    wexo::testing::countingnew::release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    wexo::testing::countingnew::release(p);
}
