// The chart views: which curves each results chart shows, how every value is derived from
// the calculation results, and the ranges, colours, titles and visibility of each chart.
// One function fills one chart from the displayed results and the current project.
#pragma once

#include "charts/tv_chart.h"
#include "charts/tv_polar.h"
#include "engine/result.h"
#include "model/projekt.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

/// The check boxes and the reference distance field on the chart tabs.
struct ChartViewOptions {
    bool singleDrivers = true;     ///< CB_FgangAchseEinzel: each driver in the speaker
    bool impedance = true;         ///< CB_Impedanz: impedance at each amplifier
    bool energy = false;           ///< CB_FgangEnergie: energy frequency response
    bool phaseRear = false;        ///< CBPhaRueck: phase of the rear (vented) sources
    double phaseReferenceCm = 0.0; ///< EditPhaBezug: listening distance for the phase, cm
    std::array<bool, MaxChassis> phaseDriver{true, true, true, true,
                                             true, true, true, true}; ///< CBPha1..CBPha8
};

enum class DirectionPlane { Up, Left, Down, Right };

/// Every chart of the results tabs.
enum class ChartKind {
    Response,
    Direction,
    Driver,
    Phase,
    Umax,
    MaxSpl,
    Voltage,
    Directivity,
    ElectricalPhase,
    GroupDelay,
    Excursion,
    VentVelocity,
    ImpulseResponse,
    StepResponse,
};

/// Curve slots of one driver in the excursion chart: excursion, xlin, xmax.
constexpr int ExcursionSlotsPerDriver = 3;
/// After the drivers' slots: the passive radiators' excursion and their xmax, for the first
/// driver that has radiators (the chart has no room for more).
constexpr int RadiatorExcursionSlot = MaxChassis * ExcursionSlotsPerDriver;

/// The input level of the excursion and vent charts and the vent's audibility limit.
struct InputLevel {
    double volts = 2.83;     ///< V rms at the amplifier
    double ventLimit = 17.0; ///< m/s
};

/// The time window the impulse and step charts show, ms.
constexpr double TimeChartStartMs = -1.0;
constexpr double TimeChartEndMs = 10.0;

/// Level of a pressure: 20·log10(|p| + 1e-50) + 112 dB (|p| = 1 is 112 dB at 1 m).
double LevelOf(TComplex pressure);

/// The two title lines a chart is created with.
void SetStandardTitles(TVChart& chart, ChartKind kind, DirectionPlane plane = DirectionPlane::Up);

void FillResponseChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                       const ChartViewOptions& options);
void FillDirectionChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                        DirectionPlane plane);
/// `driver` is 0-based; a driver beyond the results' driver count leaves the chart empty.
void FillDriverChart(TVChart& chart, const TResult& result, const TProjekt& projekt, int driver);
void FillPhaseChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                    const ChartViewOptions& options);
void FillUmaxChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
void FillMaxSplChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
void FillVoltageChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
void FillDirectivityChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
/// Gets its header only; no curve is computed for it.
void FillElectricalPhaseChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
/// The whole speaker and each driver on axis in ms; where a curve lies more than 40 dB below
/// its maximum it is not drawn.
void FillGroupDelayChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
/// The whole speaker and each driver on one time axis (ms), the value range symmetric around
/// the largest shown value.
void FillImpulseChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
void FillStepChart(TVChart& chart, const TResult& result, const TProjekt& projekt);
/// The time charts' axis steps: 1, 2, 3, 4, 5, 6 and 8 × 10^n.
constexpr std::array<double, 8> CoarseAxisSteps{1, 2, 3, 4, 5, 6, 8, 10};
/// The smallest step × 10^n at or above `value`; `fallback` for a value that is not a positive
/// finite number. `steps` run from 1 to 10.
double NiceRangeAbove(double value, double fallback = 1.0,
                      std::span<const double> steps = CoarseAxisSteps);

/// Each driver's peak excursion in mm with its xlin (dashed) and xmax (dotted) lines: driver d
/// in slots 3d, 3d + 1 and 3d + 2.
void FillExcursionChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                        const InputLevel& level);
/// The peak air velocity in every port in m/s: the audibility limit in slot 0, the rear and
/// front port of driver d in slots 1 + 2d and 2 + 2d. The limit is the current setting
/// alone, so its reference copy stays hidden.
void FillVentVelocityChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                           const InputLevel& level);

/// Header of a polar diagram: enabled when the results are valid, the project's level range.
void FillPolarHeader(TVPolar& polar, const TResult& result, const TProjekt& projekt);
/// The twelve levels of both diagrams at grid index `k` (clamped to the grid).
void FillPolarLevels(TVPolar& horizontal, TVPolar& vertical, const TResult& result, int k);
/// "frequency: " + the grid frequency at `k` (5 characters) + " Hz".
std::string PolarFrequencyLabel(const TResult& result, int k);
/// Highest position of the polar frequency scroll bar: nFreq − 1, at least 0.
int PolarScrollMaximum(const TResult& result);

/// Runs one chart's update; a failure becomes "Unerwarteter Fehler: UpdateCharts mit " +
/// `chartName` in `errors`, so the other charts are still updated.
void RunChartUpdate(std::string_view chartName, const std::function<void()>& update,
                    std::vector<std::string>& errors);

} // namespace tavrel
