// The per-driver response chart, the polar diagrams' data and the chart titles.
#include "charts/chart_views.h"
#include "charts/chart_views_detail.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <array>

namespace tavrel {

using namespace views_detail;

void FillDriverChart(TVChart& chart, const TResult& result, const TProjekt& projekt, int driver) {
    setHeader(chart, result, projekt);
    chart.hasData = false;
    if (driver < 0 || driver >= driverCount(result)) {
        return;
    }
    const TOptionBlock& option = projekt.Option;
    chart.hasData = result.Valid;
    chart.titles[0] = "Frequency response " + driverTitle(result, driver, " ");
    setSecondAxis(chart, 0.0, option.ImpMax, AxisType::Impedance);

    static constexpr std::array<std::string_view, 5> names{"driver itself", "with baffle",
                                                           "with active filter",
                                                           "with crossover network", "impedance"};
    for (int slot = 0; slot < 5; ++slot) {
        setCurve(chart, slot, names[slot], option.ColorSetChassis[slot], true, result);
    }
    chart.curve(4).rightAxis = true;

    const int amp = AmpOfDriver(result, driver);
    const auto& front = result.PFrontBlend[driver];
    const auto& baffle = result.BaffleFront[driver];
    fillPoints(chart, 0, result, [&](int k) { return LevelOf(front[k]); });
    fillPoints(chart, 1, result, [&](int k) { return LevelOf(CMul(front[k], baffle[k][0])); });
    fillPoints(chart, 2, result, [&](int k) {
        // Without an amplifier there is no filter in the path: the same as with baffle.
        const TComplex filter = amp >= 0 ? result.AktFilterH[amp][k] : TComplex{1.0, 0.0};
        return LevelOf(CMul3(front[k], filter, baffle[k][0]));
    });
    fillPoints(chart, 3, result, [&](int k) { return LevelOf(result.DirFront[driver][k][0]); });
    fillPoints(chart, 4, result, [&](int k) { return CAbs(result.ChassisZ[driver][k]); });
}

void FillPolarHeader(TVPolar& polar, const TResult& result, const TProjekt& projekt) {
    polar.enabled = result.Valid;
    polar.levelMin = projekt.Option.dBMin;
    polar.levelMax = projekt.Option.dBMax;
}

namespace {

using PolarDirections = std::array<int, 12>;

// Clockwise from the top of each diagram, in the direction numbering of the results.
constexpr PolarDirections HorizontalDirections{0, 4, 8, 12, 16, 20, 21, 18, 14, 10, 6, 2};
constexpr PolarDirections VerticalDirections{9, 5, 1, 0, 3, 7, 11, 15, 19, 21, 17, 13};

void fillPolar(TVPolar& polar, const TResult& result, int k, const PolarDirections& directions) {
    polar.count = static_cast<std::int32_t>(directions.size());
    for (std::size_t i = 0; i < directions.size(); ++i) {
        polar.angle[i] = static_cast<double>(i);
        polar.level[i] = LevelOf(result.SpeakerDir[k][directions[i]]);
    }
}

int clampIndex(int k) {
    return std::clamp(k, 0, GridSize - 1);
}

} // namespace

void FillPolarLevels(TVPolar& horizontal, TVPolar& vertical, const TResult& result, int k) {
    const int index = clampIndex(k);
    fillPolar(horizontal, result, index, HorizontalDirections);
    fillPolar(vertical, result, index, VerticalDirections);
}

std::string PolarFrequencyLabel(const TResult& result, int k) {
    return "frequency: " + FloatToWidth(5, result.Freq[clampIndex(k)]) + " Hz";
}

int PolarScrollMaximum(const TResult& result) {
    return std::max(0, pointCount(result) - 1);
}

namespace {

std::string_view directionSubtitle(DirectionPlane plane) {
    switch (plane) {
    case DirectionPlane::Up:
        return "directions to listener and different angles to top";
    case DirectionPlane::Down:
        return "directions to listener and different angles to bottom";
    case DirectionPlane::Left:
        return "directions to listener and different angles to the left";
    case DirectionPlane::Right:
        return "directions to listener and different angles to the right";
    }
    return {};
}

struct TitlePair {
    std::string_view first;
    std::string_view second;
};

TitlePair standardTitles(ChartKind kind) {
    switch (kind) {
    case ChartKind::Response:
        return {"Frequency response whole speaker", "(all amplifiers and drivers)"};
    case ChartKind::Direction:
        return {"Frequency response whole speaker", {}};
    case ChartKind::Driver:
        return {"Frequency response driver ",
                "driver itself, .. with baffle, .. active filter, .. crossover network"};
    case ChartKind::Phase:
        return {"Phase responses", "in main direction of box"};
    case ChartKind::Umax:
        return {"max. effective input voltage",
                "prior to active filter for linear excursion and max. power load "};
    case ChartKind::MaxSpl:
        return {"max. SPL", "in main direction for linear excursion and max. power load "};
    case ChartKind::Voltage:
        return {"Effective voltage at driver", "0 dB = 2,83V"};
    case ChartKind::Directivity:
        return {"directivity", "0 dB = spherical radiating system, 3 dB = spericl radiating "
                               "system in half room"};
    case ChartKind::ElectricalPhase:
        return {"Phase response of electrical signal at driver", {}};
    case ChartKind::GroupDelay:
        return {"Group delay", "whole speaker and drivers on axis"};
    case ChartKind::ImpulseResponse:
        return {"Impulse response", "whole speaker and drivers on axis"};
    case ChartKind::StepResponse:
        return {"Step response", "whole speaker and drivers on axis; a later start lies behind"};
    case ChartKind::Excursion:
        return {"Cone excursion", {}};
    case ChartKind::VentVelocity:
        return {"Vent air velocity", {}};
    }
    return {};
}

} // namespace

void SetStandardTitles(TVChart& chart, ChartKind kind, DirectionPlane plane) {
    const TitlePair titles = standardTitles(kind);
    chart.titles[0] = std::string(titles.first);
    chart.titles[1] = kind == ChartKind::Direction ? std::string(directionSubtitle(plane))
                                                   : std::string(titles.second);
}

} // namespace tavrel
