#include "export/result_export.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <vector>

namespace tavrel {
namespace {

std::vector<std::string> lines(const std::string& text, const std::string& end) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (auto at = text.find(end); at != std::string::npos; at = text.find(end, start)) {
        out.push_back(text.substr(start, at - start));
        start = at + end.size();
    }
    EXPECT_EQ(start, text.size()) << "every line ends with its terminator";
    return out;
}

class Export : public ::testing::Test {
protected:
    void SetUp() override {
        result->nFreq = 126;
        result->nAmps = 1;
        result->nChassis = 2;
        for (int k = 0; k < 126; ++k) {
            result->Freq[k] = 20.0 * std::pow(1000.0, k / 125.0);
            result->SpeakerDir[k][0] = {0.5, 0.5};
            result->DirFront[1][k][0] = {1.0, 0.0};
            result->DirRear[1][k][0] = {0.0, 1.0};
            result->ChassisU[1][k] = {0.5, 0.0};
            result->AktFilterH[0][k] = {0.0, 2.0};
            result->AmpZ[0][k] = {6.0, -8.0};
        }
        result->AmpOfChassis = {-1, 0, -1, -1, -1, -1, -1, -1, -1};
    }
    std::unique_ptr<TResult> result = MakeResult();
};

TEST_F(Export, SpeakerFileHasTwoHeaderLinesAndOneLinePerPoint) {
    const auto text =
        lines(FormatExport(*result, {ExportCurve::Speaker, 0}, ExportFormat::Exp), "\r\n");
    ASSERT_EQ(text.size(), 128u);
    EXPECT_EQ(text[0], "# Frequency response on axis");
    EXPECT_EQ(text[1], "# Frequency [Hz]\tAmpl. [dB]\tPhase [\xB0]");
    // |0.5+0.5j| = 0.7071: 112 − 3.0103 dB; phase 45°
    EXPECT_EQ(text[2], "20\t108,99\t45"); // 180/3.14159 gives 45.00004
    EXPECT_EQ(text[127].substr(0, 6), "20000\t");
}

TEST_F(Export, SilentPointsAreWrittenAtTheFloorLevel) {
    result->SpeakerDir[0][0] = {0.0, 0.0};
    const auto text =
        lines(FormatExport(*result, {ExportCurve::Speaker, 0}, ExportFormat::Exp), "\r\n");
    EXPECT_EQ(text[2], "20\t-888\t0");
}

TEST_F(Export, DriverAndSignalCurvesNameTheirDriver) {
    auto driver = lines(FormatExport(*result, {ExportCurve::Driver, 1}, ExportFormat::Exp), "\r\n");
    EXPECT_EQ(driver[0],
              "# Frequency response of driver 2 on axis incl. influence of crossover and baffle");
    EXPECT_EQ(driver[2], "20\t115,01\t45"); // |1 + j| = √2
    auto signal = lines(FormatExport(*result, {ExportCurve::Signal, 1}, ExportFormat::Exp), "\r\n");
    EXPECT_EQ(signal[0], "# Frequency response electrical signal at driver 2 (0dB = 2.83V)");
    EXPECT_EQ(signal[2], "20\t0\t0"); // 0.5 · 2j = j: 0 dB (no +112 dB), phase 0 as Re is 0
}

TEST_F(Export, MeasurementFormatsUsePointsAndTenDigits) {
    const auto frd =
        lines(FormatExport(*result, {ExportCurve::Speaker, 0}, ExportFormat::Frd), "\n");
    ASSERT_EQ(frd.size(), 128u);
    EXPECT_EQ(frd[0][0], '*');
    EXPECT_EQ(frd[2], "20 108.9897 45"); // 108.98970004 at ten digits
    const auto zma = lines(FormatExport(*result, {ExportCurve::AmpZ, 0}, ExportFormat::Zma), "\n");
    EXPECT_EQ(zma[2], "20 10 -53.13010235");
    const auto csv = lines(FormatExport(*result, {ExportCurve::AmpZ, 0}, ExportFormat::Csv), "\n");
    EXPECT_EQ(csv[0], "Frequency [Hz],Magnitude [ohm],Phase [deg]");
    EXPECT_EQ(csv[1], "20,10,-53.13010235");
}

TEST_F(Export, CurvesOutsideTheProjectAreRefused) {
    EXPECT_FALSE(CheckExport(*result, {ExportCurve::Driver, 1}));
    EXPECT_TRUE(CheckExport(*result, {ExportCurve::Driver, 2}));
    EXPECT_TRUE(CheckExport(*result, {ExportCurve::AmpZ, 1}));
    EXPECT_TRUE(CheckExport(*result, {ExportCurve::Direction, 30}));
    EXPECT_EQ(CheckExport(*result, {ExportCurve::Signal, 0}).value_or(""),
              "This driver is not used in any crossover network. Output does not make sense..");
    EXPECT_EQ(ParseExportFormat("zma"), ExportFormat::Zma);
    EXPECT_FALSE(ParseExportFormat("txt"));
}

TEST_F(Export, EmptyResultsGiveTheHeaderOnly) {
    auto empty = MakeResult();
    EXPECT_EQ(
        lines(FormatExport(*empty, {ExportCurve::Speaker, 0}, ExportFormat::Exp), "\r\n").size(),
        2u);
}

} // namespace
} // namespace tavrel
