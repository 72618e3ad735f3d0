#include "engine/result.h"

#include <cstdlib>
#include <new>

namespace tavrel {

static_assert(std::is_aggregate_v<TResult> && std::is_trivially_destructible_v<TResult>,
              "calloc's zeroed memory holds a TResult only while it is a plain aggregate");

void* TResult::operator new(std::size_t size) {
    void* p = std::malloc(size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

void TResult::operator delete(void* p) noexcept {
    std::free(p);
}

std::unique_ptr<TResult> MakeResult() {
    void* p = std::calloc(1, sizeof(TResult));
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return std::unique_ptr<TResult>(static_cast<TResult*>(p));
}

} // namespace tavrel
