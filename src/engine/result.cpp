#include "engine/result.h"

#include "foundation/zeroed_memory.h"

#include <cstdlib>

namespace tavrel {

static_assert(std::is_aggregate_v<TResult> && std::is_trivially_destructible_v<TResult>,
              "calloc's zeroed memory holds a TResult only while it is a plain aggregate");

void* TResult::operator new(std::size_t size) {
    return AllocateZeroed(size);
}

void TResult::operator delete(void* p) noexcept {
    std::free(p);
}

std::unique_ptr<TResult> MakeResult() {
    return std::unique_ptr<TResult>(static_cast<TResult*>(AllocateZeroed(sizeof(TResult))));
}

} // namespace tavrel
