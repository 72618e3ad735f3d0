#include "engine/baffle_sincos.h"

#include <array>

namespace tavrel::baffle_math {

// The lanes are independent partial sums, so the compiler can keep them in vector registers
// without reordering any floating-point addition. The clones for newer instruction sets may
// fuse multiply and add, which changes results only in the last bits.
// The clone resolver runs before ThreadSanitizer's runtime is up and would crash under it (gcc
// names that build __SANITIZE_THREAD__, clang tells it by __has_feature).
#if defined(__SANITIZE_THREAD__)
#define TAVREL_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TAVREL_THREAD_SANITIZER 1
#endif
#endif
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__) &&                              \
    !defined(TAVREL_THREAD_SANITIZER)
__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif
SinCosValue
PhasorSum(const double* amplitude, const double* position, int count, double k) {
    std::array<double, PhasorLanes> sinSum{}, cosSum{};
    for (int j = 0; j < count; j += PhasorLanes) {
        for (int l = 0; l < PhasorLanes; ++l) {
            const SinCosValue sc = SinCos(k * position[j + l]);
            sinSum[l] += amplitude[j + l] * sc.sin;
            cosSum[l] += amplitude[j + l] * sc.cos;
        }
    }
    SinCosValue total;
    for (int l = 0; l < PhasorLanes; ++l) {
        total.sin += sinSum[l];
        total.cos += cosSum[l];
    }
    return total;
}

} // namespace tavrel::baffle_math
