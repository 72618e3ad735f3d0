// The tuning panel's rows of a DSP channel: which values it lists, how they step and how they
// are written back.
#include "app/tuning_rows.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

TEST(TuningRows, DspChannelsListTheirDelayAndSectionValues) {
    auto p = std::make_unique<TProjekt>();
    TAktFilter& filter = p->Amps[0].AktFilter;
    const auto names = [&] {
        std::vector<std::string> all;
        for (const TuningRow& row : TuningRows(*p)) {
            all.push_back(row.name + " [" + row.unit + "]");
        }
        return all;
    };
    EXPECT_EQ(names(), std::vector<std::string>{"Level [dB]"}); // an analog channel as before
    filter.EQ[1] = {DspLinkwitz, true, 60, 0, 0.9, 35, 0.6};
    filter.EQ[2] = {DspPeaking, false, 700, -1.5, 1}; // switched off: not tuned
    filter.EQ[4] = {DspLowShelf, true, 200, 3, 0.7};
    EXPECT_EQ(names(),
              (std::vector<std::string>{"Level [dB]", "Delay [ms]", "EQ2 Linkwitz transform [Hz]",
                                        "EQ2 Linkwitz transform target [Hz]", "EQ5 Low shelf [Hz]",
                                        "EQ5 Low shelf [dB]"}));

    const std::vector<TuningRow> rows = TuningRows(*p);
    const TuningRow& delay = rows[1];
    EXPECT_EQ(SteppedRowValue(*p, delay, 3, false, 2), 0.03);
    EXPECT_EQ(SteppedRowValue(*p, delay, -3, false, 2), 0.0);
    EXPECT_TRUE(SetRowValue(*p, delay, 0.25));
    EXPECT_DOUBLE_EQ(filter.Delay, 0.00025);
    EXPECT_TRUE(SetRowValue(*p, delay, 80)); // kept inside the 50 ms a channel allows
    EXPECT_DOUBLE_EQ(RowValue(*p, delay), 50);
    EXPECT_TRUE(SetRowValue(*p, rows[3], 30));
    EXPECT_EQ(filter.EQ[1].f2, 30);
    EXPECT_FALSE(SetRowValue(*p, rows[4], 0)); // a frequency stays above 0
    EXPECT_TRUE(SetRowValue(*p, rows[5], -2));
    EXPECT_EQ(filter.EQ[4].g, -2);
    EXPECT_NEAR(SteppedRowValue(*p, rows[5], 1, false, 2), -2 + 20 * std::log10(1.01), 1e-12);
}

} // namespace
} // namespace tavrel
