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
    projekt.f[sz < GridSize - 1 ? sz : GridSize - 1] = 0.0;
}

} // namespace tavrel
