// A pass that recomputes only what a change touches gives the results a full calculation
// of the changed project gives, bit for bit.
#include "engine/calc_engine.h"
#include "support/example_project.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

TEST(IncrementalPass, NetworkAndFilterChangesGiveTheResultsOfAFullCalculation) {
    auto p = test::LoadExample("Bench 8x6.TVP");
    p->Option.sz = 60; // the reuse does not depend on the grid; a short one keeps this quick
    BuildGrid(*p);
    auto incremental = std::make_unique<TCalcEngine>();
    auto full = std::make_unique<TCalcEngine>();
    incremental->CalculateAll(*p);
    for (int a = 0; a < 2; ++a) {
        for (TWeichePart& part : p->Amps[a].Weiche) {
            if (part.typ == PartCapacitor || part.typ == PartResistor) {
                part.value *= 1.3;
                break;
            }
        }
        p->Amps[(a + 1) % p->nAmps].AktFilter.Pegel *= 0.9;
        incremental->CalculateAll(*p, false);
        full->CalculateAll(*p);
        EXPECT_LT(incremental->JobCount(), full->JobCount());
        EXPECT_TRUE(incremental->Result() == full->Result()) << "after changing amplifier " << a;
    }
    // What changed while the time curves were off reaches them when they are on again.
    incremental->SetTimeCurves(false);
    p->Amps[0].AktFilter.Pegel *= 1.1;
    incremental->CalculateAll(*p, false);
    incremental->SetTimeCurves(true);
    p->Amps[1].AktFilter.Pegel *= 1.1;
    incremental->CalculateAll(*p, false);
    full->CalculateAll(*p);
    EXPECT_TRUE(incremental->Result() == full->Result()) << "after the time curves were off";
}

} // namespace
} // namespace tavrel
