#include "charts/chart_selection.h"

#include "foundation/number_text.h"

#include <array>

namespace tavrel {

namespace {

struct NamedChart {
    std::string_view name;
    ChartKind kind;
    DirectionPlane plane;
};

constexpr std::array<NamedChart, 15> PlainNames{{
    {"response", ChartKind::Response, DirectionPlane::Up},
    {"directions-up", ChartKind::Direction, DirectionPlane::Up},
    {"directions-left", ChartKind::Direction, DirectionPlane::Left},
    {"directions-down", ChartKind::Direction, DirectionPlane::Down},
    {"directions-right", ChartKind::Direction, DirectionPlane::Right},
    {"phase", ChartKind::Phase, DirectionPlane::Up},
    {"umax", ChartKind::Umax, DirectionPlane::Up},
    {"maxspl", ChartKind::MaxSpl, DirectionPlane::Up},
    {"voltage", ChartKind::Voltage, DirectionPlane::Up},
    {"directivity", ChartKind::Directivity, DirectionPlane::Up},
    {"excursion", ChartKind::Excursion, DirectionPlane::Up},
    {"ventvelocity", ChartKind::VentVelocity, DirectionPlane::Up},
    {"groupdelay", ChartKind::GroupDelay, DirectionPlane::Up},
    {"impulse", ChartKind::ImpulseResponse, DirectionPlane::Up},
    {"step", ChartKind::StepResponse, DirectionPlane::Up},
}};

/// The number after `prefix` ("driver 3", "driver-3", "driver3"); false if there is none.
bool numberAfter(std::string_view name, std::string_view prefix, int& number) {
    if (!name.starts_with(prefix)) {
        return false;
    }
    std::string_view rest = name.substr(prefix.size());
    if (!rest.empty() && (rest.front() == ' ' || rest.front() == '-')) {
        rest.remove_prefix(1);
    }
    if (rest.empty()) {
        return false;
    }
    for (char c : rest) {
        if (!IsDigitChar(c)) {
            return false;
        }
    }
    if (rest.size() > 6) {
        return false;
    }
    number = TextToInt(rest);
    return true;
}

} // namespace

ChartSelectionResult ParseChartSelection(std::string_view name) {
    ChartSelectionResult result;
    for (const NamedChart& named : PlainNames) {
        if (name == named.name) {
            result.ok = true;
            result.selection.kind = named.kind;
            result.selection.plane = named.plane;
            return result;
        }
    }
    int number = 0;
    if (numberAfter(name, "driver", number)) {
        if (number < 1 || number > MaxChassis) {
            result.error = "driver number must be 1 to 8";
            return result;
        }
        result.ok = true;
        result.selection.kind = ChartKind::Driver;
        result.selection.index = number - 1;
        return result;
    }
    if (numberAfter(name, "polar", number)) {
        result.ok = true;
        result.selection.polar = true;
        result.selection.index = number;
        return result;
    }
    result.error =
        "unknown chart '" + std::string(name) +
        "' (response, directions-up|left|down|right, driver N, phase, umax, "
        "maxspl, voltage, directivity, excursion, ventvelocity, groupdelay, impulse, step, "
        "polar K)";
    return result;
}

void FillSelectedChart(TVChart& chart, const ChartSelection& selection, const TResult& result,
                       const TProjekt& projekt) {
    const ChartViewOptions options;
    SetStandardTitles(chart, selection.kind, selection.plane);
    switch (selection.kind) {
    case ChartKind::Response:
        FillResponseChart(chart, result, projekt, options);
        break;
    case ChartKind::Direction:
        FillDirectionChart(chart, result, projekt, selection.plane);
        break;
    case ChartKind::Driver:
        FillDriverChart(chart, result, projekt, selection.index);
        break;
    case ChartKind::Phase:
        FillPhaseChart(chart, result, projekt, options);
        break;
    case ChartKind::Umax:
        FillUmaxChart(chart, result, projekt);
        break;
    case ChartKind::MaxSpl:
        FillMaxSplChart(chart, result, projekt);
        break;
    case ChartKind::Voltage:
        FillVoltageChart(chart, result, projekt);
        break;
    case ChartKind::Directivity:
        FillDirectivityChart(chart, result, projekt);
        break;
    case ChartKind::ElectricalPhase:
        FillElectricalPhaseChart(chart, result, projekt);
        break;
    case ChartKind::GroupDelay:
        FillGroupDelayChart(chart, result, projekt);
        break;
    case ChartKind::Excursion:
        FillExcursionChart(chart, result, projekt, selection.level);
        break;
    case ChartKind::VentVelocity:
        FillVentVelocityChart(chart, result, projekt, selection.level);
        break;
    case ChartKind::ImpulseResponse:
        FillImpulseChart(chart, result, projekt);
        break;
    case ChartKind::StepResponse:
        FillStepChart(chart, result, projekt);
        break;
    }
}

} // namespace tavrel
