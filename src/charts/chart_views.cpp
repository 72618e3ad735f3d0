// The whole-speaker charts: frequency response, directions, phase, maximum voltage and
// level, voltage at the drivers, directivity; and the shared helpers of every view.
#include "charts/chart_views.h"

#include "charts/chart_views_detail.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tavrel {

using namespace views_detail;

double LevelOf(TComplex pressure) {
    return 20.0 * std::log10(CAbs(pressure) + 1e-50) + 112.0;
}

namespace views_detail {

int pointCount(const TResult& result) {
    return std::clamp<int>(result.nFreq, 0, GridSize);
}

int driverCount(const TResult& result) {
    return std::clamp<int>(result.nChassis, 0, MaxChassis);
}

int ampCount(const TResult& result) {
    return std::clamp<int>(result.nAmps, 0, MaxAmps);
}

std::string driverTitle(const TResult& result, int driver, std::string_view infix) {
    return result.ChassisName[driver].str() + std::string(infix) + "(" +
           std::to_string(driver + 1) + ")";
}

void setHeader(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    const TOptionBlock& option = projekt.Option;
    chart.hasData = result.Valid;
    chart.xMin = option.AfMin;
    chart.xMax = option.AfMax;
    chart.timeAxis = false;
    chart.y1Min = option.dBMin;
    chart.y1Max = option.dBMax;
    chart.y1Type = AxisType::Spl;
    chart.secondAxis = false;
    chart.titles[2] = result.Comment1.str();
    chart.titles[3] = result.Comment2.str();
    chart.HideCurves();
}

void setSecondAxis(TVChart& chart, double min, double max, AxisType type) {
    chart.secondAxis = true;
    chart.y2Min = min;
    chart.y2Max = max;
    chart.y2Type = type;
}

void setCurve(TVChart& chart, int slot, std::string_view name, Colour colour, bool visible,
              const TResult& result) {
    ChartCurve& curve = chart.curve(slot);
    curve.name = name;
    curve.colour = colour;
    curve.visible = visible;
    curve.rightAxis = false;
    curve.style = LineStyle::Solid;
    curve.count = pointCount(result);
}

void fillPoints(TVChart& chart, int slot, const TResult& result,
                const std::function<double(int)>& valueAt) {
    if (!result.Valid) {
        return;
    }
    ChartCurve& curve = chart.curve(slot);
    const int count = pointCount(result);
    for (int k = 0; k < count; ++k) {
        curve.x[k] = result.Freq[k];
        curve.y[k] = valueAt(k);
    }
}

} // namespace views_detail

void FillResponseChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                       const ChartViewOptions& options) {
    const TOptionBlock& option = projekt.Option;
    setHeader(chart, result, projekt);
    setSecondAxis(chart, 0.0, option.ImpMax, AxisType::Impedance);
    const int drivers = driverCount(result);

    setCurve(chart, 0, "Total amplitude", option.ColorSetChassis[0], true, result);
    fillPoints(chart, 0, result, [&](int k) { return LevelOf(result.SpeakerDir[k][0]); });
    for (int d = 0; d < drivers; ++d) {
        setCurve(chart, d + 1, driverTitle(result, d, " "), option.ColorSetChassis[d + 1],
                 options.singleDrivers, result);
        fillPoints(chart, d + 1, result, [&](int k) {
            return LevelOf(CAdd(result.DirFront[d][k][0], result.DirRear[d][k][0]));
        });
    }
    for (int a = 0; a < ampCount(result); ++a) {
        const int slot = drivers + 1 + a;
        setCurve(chart, slot, "Impedance at amplifier " + std::to_string(a + 1),
                 option.ColorSetAmps[a + 1], options.impedance, result);
        chart.curve(slot).rightAxis = true;
        fillPoints(chart, slot, result, [&](int k) { return CAbs(result.AmpZ[a][k]); });
    }
    constexpr int EnergySlot = 25;
    setCurve(chart, EnergySlot, "Energy frequency response", option.ColorSetChassis[0],
             options.energy, result);
    fillPoints(chart, EnergySlot, result, [&](int k) {
        return 20.0 * std::log10(CAbs(result.SpeakerDir[k][0]) / (1e-10 + result.Directivity[k]) +
                                 1e-50) +
               112.0;
    });
}

void FillDirectionChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                        DirectionPlane plane) {
    static constexpr std::array<std::string_view, 7> names{"front",   "30\xB0",  "60\xB0", "90\xB0",
                                                           "120\xB0", "150\xB0", "back"};
    constexpr int RearDirection = 21;
    const int planeOffset = static_cast<int>(plane); // up 0, left 1, down 2, right 3
    setHeader(chart, result, projekt);
    for (int slot = 0; slot < 7; ++slot) {
        int direction = 0;
        if (slot == 6) {
            direction = RearDirection;
        } else if (slot > 0) {
            direction = 4 * slot - 3 + planeOffset;
        }
        setCurve(chart, slot, names[slot], projekt.Option.ColorSetRichtungen[slot], true, result);
        fillPoints(chart, slot, result,
                   [&](int k) { return LevelOf(result.SpeakerDir[k][direction]); });
    }
}

void FillPhaseChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                    const ChartViewOptions& options) {
    constexpr double RadToDeg = 57.29582790879778;
    setHeader(chart, result, projekt);
    chart.y1Min = -180.0;
    chart.y1Max = 180.0;
    chart.y1Type = AxisType::Degrees;
    const double distance = options.phaseReferenceCm / -100.0;
    auto phaseAt = [&](const Directional& pressure, int k) {
        const double lambda = 344.0 / result.Freq[k];
        const double psi = distance / lambda * 2.0 * 3.14159;
        return RadToDeg * CPhase(CRotate(pressure[k][0], psi));
    };
    for (int d = 0; d < driverCount(result); ++d) {
        const bool shown = AmpOfDriver(result, d) >= 0 && options.phaseDriver[d];
        const int front = 2 * d;
        const int rear = 2 * d + 1;
        setCurve(chart, front, driverTitle(result, d, ""), projekt.Option.ColorSetChassis[d + 1],
                 shown, result);
        setCurve(chart, rear, driverTitle(result, d, " vented "),
                 projekt.Option.ColorSetChassis[d + 1], shown && options.phaseRear, result);
        if (!result.Valid) {
            chart.curve(front).count = 0;
            chart.curve(rear).count = 0;
        }
        fillPoints(chart, front, result, [&](int k) { return phaseAt(result.DirFront[d], k); });
        fillPoints(chart, rear, result, [&](int k) { return phaseAt(result.DirRear[d], k); });
    }
    for (int slot = 0; slot < TVChart::CurveSlots; ++slot) {
        chart.reference(slot).visible = chart.curve(slot).visible;
    }
}

void FillUmaxChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = 0.1;
    chart.y1Max = 1000.0;
    chart.y1Type = AxisType::Volt;
    setCurve(chart, 0, "Whole speaker", projekt.Option.ColorSetChassis[0], true, result);
    fillPoints(chart, 0, result, [&](int k) { return result.Umax[k]; });
    for (int d = 0; d < driverCount(result); ++d) {
        setCurve(chart, d + 1, driverTitle(result, d, " "), projekt.Option.ColorSetChassis[d + 1],
                 true, result);
        fillPoints(chart, d + 1, result, [&](int k) { return result.UmaxChassis[d][k]; });
    }
}

void FillMaxSplChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = 40.0;
    chart.y1Max = 140.0;
    // A speaker without any limit is pushed far off the axis; a driver without one sits at 0.
    auto level = [](double pressure, double instead) {
        return pressure <= 0.0 ? instead : 20.0 * std::log10(pressure) + 112.0;
    };
    setCurve(chart, 0, "Whole speaker", projekt.Option.ColorSetChassis[0], true, result);
    fillPoints(chart, 0, result, [&](int k) { return level(result.PmaxSpeaker[k], -1000000.0); });
    for (int d = 0; d < driverCount(result); ++d) {
        setCurve(chart, d + 1, driverTitle(result, d, " "), projekt.Option.ColorSetChassis[d + 1],
                 true, result);
        fillPoints(chart, d + 1, result,
                   [&](int k) { return level(result.PmaxChassis[d][k], 0.0); });
    }
}

void FillVoltageChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = -45.0;
    chart.y1Max = 17.0;
    for (int d = 0; d < driverCount(result); ++d) {
        const int amp = AmpOfDriver(result, d);
        setCurve(chart, d, driverTitle(result, d, " "), projekt.Option.ColorSetChassis[d + 1],
                 amp >= 0, result);
        if (amp < 0) {
            continue; // hidden: without an amplifier there is no signal to show
        }
        fillPoints(chart, d, result, [&](int k) {
            return 20.0 *
                   std::log10(CAbs(CMul(result.ChassisU[d][k], result.AktFilterH[amp][k])) + 1e-50);
        });
    }
}

void FillDirectivityChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = -14.0;
    chart.y1Max = 14.0;
    setCurve(chart, 0, "Directivity", projekt.Option.ColorSetChassis[0], true, result);
    fillPoints(chart, 0, result,
               [&](int k) { return 20.0 * std::log10(1e-50 + result.Directivity[k]); });
}

void FillElectricalPhaseChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = -180.0;
    chart.y1Max = 180.0;
    chart.y1Type = AxisType::Degrees;
}

void RunChartUpdate(std::string_view chartName, const std::function<void()>& update,
                    std::vector<std::string>& errors) {
    try {
        update();
    } catch (const std::exception&) {
        errors.push_back("Unerwarteter Fehler: UpdateCharts mit " + std::string(chartName));
    }
}

} // namespace tavrel
