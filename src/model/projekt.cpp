#include "model/projekt.h"

#include <cmath>

namespace tavrel {

void BuildGrid(TProjekt& projekt) {
    const int sz = projekt.Option.sz;
    const double fMin = projekt.Option.fMin;
    const double ratio = projekt.Option.fMax / fMin;
    for (int i = 0; i < sz && i < GridSize - 1; ++i) {
        projekt.f[i] = fMin * std::pow(ratio, static_cast<double>(i) / (sz - 1));
    }
    // Everything after the last point is 0, so a rebuilt grid equals the one a file read gives.
    for (int i = sz < GridSize - 1 ? sz : GridSize - 1; i < GridSize; ++i) {
        projekt.f[i] = 0.0;
    }
}

} // namespace tavrel
