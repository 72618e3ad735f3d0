// The pictures name exactly the parts whose values the result lines give.
#include "calculators/impedance_correction.h"
#include "calculators/sketch.h"
#include "calculators/standard_crossovers.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace tavrel {
namespace {

std::set<std::string> sketchNames(const Sketch& sketch) {
    std::set<std::string> names;
    for (const SketchItem& item : sketch.items) {
        if (!item.text.empty() && item.kind != SketchKind::Label) {
            names.insert(item.text);
        }
    }
    return names;
}

/// "L1 = 1,8 mH; L2 = ..." names L1 and L2.
std::set<std::string> lineNames(const Lines& lines) {
    std::set<std::string> names;
    const std::regex part("([A-Z][0-9]?) +=");
    for (const std::string& line : lines) {
        for (auto it = std::sregex_iterator(line.begin(), line.end(), part);
             it != std::sregex_iterator(); ++it) {
            names.insert((*it)[1]);
        }
    }
    return names;
}

TEST(Sketches, CircuitsNameThePartsOfTheirLines) {
    const auto memos = StandardCrossovers(CrossoverInputs{});
    for (int m = 0; m < 8; ++m) {
        EXPECT_EQ(sketchNames(CrossoverSketch(m)), lineNames(memos[m])) << m;
    }
    const CorrectionLines correction = ImpedanceCorrection(CorrectionInputs{});
    EXPECT_EQ(sketchNames(CorrectionSketch(0)), lineNames(correction.inductance));
    EXPECT_EQ(sketchNames(CorrectionSketch(1)), lineNames(correction.resonance));
    EXPECT_EQ(sketchNames(CorrectionSketch(2)), lineNames(correction.combined));
    EXPECT_EQ(sketchNames(DividerSketch()), (std::set<std::string>{"R1", "R2", "RL"}));
    EXPECT_EQ(sketchNames(PortSketch()),
              (std::set<std::string>{"b", "h", "t", "c", "e", "d", "l", "g", "f", "i", "j", "k"}));
}

TEST(Sketches, BoundsHoldEveryItem) {
    for (const Sketch& sketch : {PortSketch(), HousingSketch(), CrossoverSketch(7)}) {
        for (const SketchItem& item : sketch.items) {
            EXPECT_TRUE(item.x1 >= sketch.left && item.x1 <= sketch.right);
            EXPECT_TRUE(item.y1 >= sketch.top && item.y1 <= sketch.bottom);
        }
    }
}

} // namespace
} // namespace tavrel
