// The engine's curves for every bundled example against values stored at full precision
// before changes meant to alter none of them (a faster baffle sum, fewer recomputed time
// curves): each value within 1e-12 of the largest magnitude of its curve.
// TAVREL_WRITE_ENGINE_REFERENCE=1 writes tests/data/engine_reference.txt anew instead.
#include "engine/calc_engine.h"
#include "support/example_project.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

const fs::path ReferenceFile = fs::path(TAVREL_TEST_DATA) / "engine_reference.txt";
constexpr int Samples = 16;

/// One stored curve: its values at Samples points.
using Values = std::vector<TComplex>;
using Curves = std::map<std::string, Values>; ///< "example|curve" → values

/// Grid index or time sample of point j.
int gridPoint(const TResult& r, int j) {
    return std::min(j * (r.nFreq - 1) / (Samples - 1), r.nFreq - 1);
}

Curves curvesOf(const std::string& example, const TResult& r) {
    const std::map<std::string, std::function<TComplex(int)>> picks = {
        {"axis", [&](int j) { return r.SpeakerDir[gridPoint(r, j)][0]; }},
        {"direction 10", [&](int j) { return r.SpeakerDir[gridPoint(r, j)][10]; }},
        {"amplifier 1 impedance", [&](int j) { return r.AmpZ[0][gridPoint(r, j)]; }},
        {"driver 1 front", [&](int j) { return r.DirFront[0][gridPoint(r, j)][0]; }},
        {"driver 1 impedance", [&](int j) { return r.ChassisZ[0][gridPoint(r, j)]; }},
        {"umax",
         [&](int j) {
             return TComplex{r.Umax[gridPoint(r, j)], 0};
         }},
        {"group delay",
         [&](int j) {
             return TComplex{r.GroupDelay[0][gridPoint(r, j)], 0};
         }},
        {"step",
         [&](int j) {
             return TComplex{r.Step[0][TimeLeadSamples + 48 * j], 0};
         }},
    };
    Curves curves;
    for (const auto& [name, pick] : picks) {
        Values& values = curves[example + "|" + name];
        for (int j = 0; j < Samples; ++j) {
            values.push_back(pick(j));
        }
    }
    return curves;
}

std::vector<std::string> exampleNames() {
    std::vector<std::string> names;
    for (const auto& entry :
         fs::directory_iterator(fs::path(TAVREL_SOURCE_DIR) / "data/examples")) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".TVP.plain")) {
            names.push_back(name.substr(0, name.size() - 6));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

Curves computeAll() {
    Curves all;
    for (const std::string& name : exampleNames()) {
        auto project = test::LoadExample(name);
        TCalcEngine engine;
        engine.CalculateAll(*project);
        all.merge(curvesOf(name, engine.Result()));
    }
    return all;
}

/// Lines "example|curve" followed by one "re im" line per value.
Curves readReference() {
    Curves curves;
    std::ifstream in(ReferenceFile);
    std::string line;
    Values* current = nullptr;
    while (std::getline(in, line)) {
        if (line.find('|') != std::string::npos) {
            current = &curves[line];
        } else if (current != nullptr) {
            std::istringstream numbers(line);
            numbers.imbue(std::locale::classic());
            TComplex value{};
            numbers >> value.Re >> value.Im;
            current->push_back(value);
        }
    }
    return curves;
}

void writeReference(const Curves& curves) {
    std::ofstream out(ReferenceFile);
    out.imbue(std::locale::classic());
    out.precision(17);
    for (const auto& [name, values] : curves) {
        out << name << "\n";
        for (const TComplex& v : values) {
            out << v.Re << " " << v.Im << "\n";
        }
    }
}

TEST(EngineReference, EveryExampleGivesTheStoredCurves) {
    const Curves computed = computeAll();
    if (std::getenv("TAVREL_WRITE_ENGINE_REFERENCE") != nullptr) {
        writeReference(computed);
        GTEST_SKIP() << "wrote " << ReferenceFile;
    }
    const Curves stored = readReference();
    ASSERT_EQ(stored.size(), computed.size()) << "an example without stored curves, or a lost one";
    for (const auto& [name, values] : computed) {
        SCOPED_TRACE(name);
        const auto found = stored.find(name);
        ASSERT_NE(found, stored.end());
        ASSERT_EQ(found->second.size(), values.size());
        double largest = 0;
        for (const TComplex& v : found->second) {
            largest = std::max(largest, CAbs(v));
        }
        for (std::size_t j = 0; j < values.size(); ++j) {
            const TComplex& want = found->second[j];
            EXPECT_LE(std::hypot(values[j].Re - want.Re, values[j].Im - want.Im), 1e-12 * largest)
                << "point " << j;
        }
    }
}

} // namespace
} // namespace tavrel
