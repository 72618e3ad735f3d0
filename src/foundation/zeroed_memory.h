// Large records that come from calloc: the kernel's fresh pages are zeros already, so the pages
// nobody writes are never touched (a constructor that zeroes would write every one of them).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace tavrel {

/// `size` zeroed bytes for free(); throws std::bad_alloc like operator new.
inline void* AllocateZeroed(std::size_t size) {
    void* p = std::calloc(1, size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

} // namespace tavrel
