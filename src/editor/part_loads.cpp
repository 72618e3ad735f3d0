#include "editor/part_loads.h"

#include "editor/part_tuning.h"
#include "engine/network.h"
#include "foundation/number_text.h"
#include "optimizer/opti_value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace tavrel {

namespace {

constexpr double PinkLow = 20.0, PinkHigh = 20000.0;
constexpr std::array ResistorWatts{1.0, 2.0, 5.0, 10.0, 20.0, 50.0};
constexpr std::array CapacitorVolts{63.0, 100.0, 160.0, 250.0, 400.0, 630.0};

int pointCount(const TResult& result) {
    int n = 0;
    while (n < GridSize && result.Freq[n] > 0) {
        ++n;
    }
    return n;
}

/// The sine figure (largest value) and the pink-noise figure of one curve; `rms` averages the
/// squares (voltages, currents), otherwise the values (powers).
ProgrammeFigure figureOf(const std::vector<double>& curve, const TResult& result, bool rms) {
    ProgrammeFigure figure;
    double sum = 0;
    int count = 0;
    for (std::size_t k = 0; k < curve.size(); ++k) {
        figure.sine = std::max(figure.sine, curve[k]);
        if (result.Freq[k] >= PinkLow && result.Freq[k] <= PinkHigh) {
            sum += rms ? curve[k] * curve[k] : curve[k];
            ++count;
        }
    }
    const double mean = count > 0 ? sum / count : 0.0;
    figure.pink = rms ? std::sqrt(mean) : mean;
    return figure;
}

double peakFrequency(const std::vector<double>& curve, const TResult& result) {
    const auto peak = std::max_element(curve.begin(), curve.end());
    return peak == curve.end() ? 0.0 : result.Freq[peak - curve.begin()];
}

std::string numberText(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    return std::string(buffer, end.ptr);
}

std::string numberText3(double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 3);
    return std::string(buffer, end.ptr);
}

/// A current rating rounded up to a tenth of an ampere, so the coil is never underrated.
std::string currentText(double amps) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::ceil(amps * 10.0) / 10.0,
                                   std::chars_format::fixed, 1);
    return std::string(buffer, end.ptr) + " A";
}

template <std::size_t N>
std::string nextStep(const std::array<double, N>& steps, double demand, const char* unit) {
    for (double step : steps) {
        if (step >= demand) {
            return numberText(step) + " " + unit;
        }
    }
    return "more than " + numberText(steps.back()) + " " + unit;
}

/// What a rating must cover, in the unit a rating of this kind is given in.
double demandIn(char unit, const ProgrammeFigure& voltage, const ProgrammeFigure& current,
                const ProgrammeFigure& power) {
    switch (unit) {
    case 'V':
        return std::sqrt(2.0) * voltage.sine;
    case 'A':
        return current.sine;
    default:
        return std::max(2.0 * power.pink, power.sine);
    }
}

/// Voltage and current magnitudes of one branch at `volts` at the amplifier's input.
void fillCurves(const BranchFlow& flow, const TResult& result, int amp, double volts,
                std::vector<double>& u, std::vector<double>& i) {
    for (std::size_t k = 0; k < flow.voltage.size(); ++k) {
        const double level = volts * CAbs(result.AktFilterH[amp][k]);
        u.push_back(CAbs(flow.voltage[k]) * level);
        i.push_back(CAbs(flow.current[k]) * level);
    }
}

double dissipatingResistance(const TWeichePart& part) {
    return part.typ == PartResistor ? part.value : part.typ == PartInductance ? part.Rvalue : 0.0;
}

const BranchFlow* flowOf(const std::vector<BranchFlow>& flows, int slot) {
    for (const BranchFlow& flow : flows) {
        if (flow.slot == slot) {
            return &flow;
        }
    }
    return nullptr;
}

PartLoad partLoad(const TProjekt& project, const TResult& result, int a, int slot,
                  const std::vector<BranchFlow>& flows, double volts) {
    const TWeichePart& part = project.Amps[a].Weiche[slot];
    PartLoad load;
    load.amp = a;
    load.slot = slot;
    load.typ = part.typ;
    load.name = PartName(project.Amps[a].Weiche, slot);
    const BranchFlow* flow = flowOf(flows, slot);
    load.wire = part.value == 0;
    if (load.wire || flow == nullptr) {
        return load;
    }
    fillCurves(*flow, result, a, volts, load.volts, load.amps);
    const double r = dissipatingResistance(part);
    for (double i : load.amps) {
        load.watts.push_back(i * i * r);
    }
    load.voltage = figureOf(load.volts, result, true);
    load.current = figureOf(load.amps, result, true);
    load.power = figureOf(load.watts, result, false);
    load.peakHz = peakFrequency(part.typ == PartCapacitor ? load.volts : load.watts, result);
    load.rating = SuggestedRating(part.typ, load.voltage, load.current, load.power);
    if (const auto named = RatingInComment(part.bem.str())) {
        load.overComment =
            demandIn(named->unit, load.voltage, load.current, load.power) > named->value;
    }
    return load;
}

DriverLoad driverLoad(const TProjekt& project, const TResult& result, int a, const BranchFlow& flow,
                      double volts) {
    DriverLoad load;
    load.driver = project.Amps[a].Weiche[flow.slot].chassisnr;
    load.amp = a;
    load.pmax = project.Chassis[load.driver]._PMax;
    fillCurves(flow, result, a, volts, load.volts, load.amps);
    for (std::size_t k = 0; k < flow.voltage.size(); ++k) {
        const double level = volts * CAbs(result.AktFilterH[a][k]);
        const TComplex u = flow.voltage[k], i = flow.current[k];
        load.watts.push_back(level * level * (u.Re * i.Re + u.Im * i.Im));
    }
    load.voltage = figureOf(load.volts, result, true);
    load.current = figureOf(load.amps, result, true);
    load.power = figureOf(load.watts, result, false);
    load.peakHz = peakFrequency(load.watts, result);
    return load;
}

} // namespace

std::string SuggestedRating(int typ, const ProgrammeFigure& voltage, const ProgrammeFigure& current,
                            const ProgrammeFigure& power) {
    switch (typ) {
    case PartResistor:
        return nextStep(ResistorWatts, demandIn('W', voltage, current, power), "W");
    case PartCapacitor:
        return nextStep(CapacitorVolts, demandIn('V', voltage, current, power), "V");
    case PartInductance:
        return currentText(current.sine);
    default:
        return {};
    }
}

std::optional<CommentRating> RatingInComment(const std::string& comment) {
    for (std::size_t start = 0; start < comment.size(); ++start) {
        if (!IsDigitChar(comment[start]) || (start > 0 && IsDigitChar(comment[start - 1]))) {
            continue;
        }
        const ParsedFloat parsed = ParseFloat(std::string_view(comment).substr(start));
        std::size_t end = start + static_cast<std::size_t>(parsed.consumed);
        while (end < comment.size() && comment[end] == ' ') {
            ++end;
        }
        const char unit = end < comment.size() ? comment[end] : '\0';
        const bool alone = end + 1 >= comment.size() ||
                           !std::isalpha(static_cast<unsigned char>(comment[end + 1]));
        if ((unit == 'W' || unit == 'V' || unit == 'A') && alone && parsed.value > 0) {
            return CommentRating{static_cast<double>(parsed.value), unit};
        }
    }
    return std::nullopt;
}

NetworkLoads ComputeLoads(const TProjekt& project, const TResult& result, double volts) {
    NetworkLoads loads;
    const int points = pointCount(result);
    for (int a = 0; a < AmpCount(project); ++a) {
        const std::vector<BranchFlow> flows = SolveBranchFlows(project, a, result, points);
        const TWeiche& weiche = project.Amps[a].Weiche;
        for (int slot = 0; slot < WeicheGridSlots; ++slot) {
            if (IsTunable(weiche[slot])) {
                loads.parts.push_back(partLoad(project, result, a, slot, flows, volts));
            }
        }
        for (const BranchFlow& flow : flows) {
            const int d = weiche[flow.slot].chassisnr;
            if (flow.typ == PartDriver && d >= 0 && d < MaxChassis && result.AmpOfChassis[d] == a) {
                loads.drivers.push_back(driverLoad(project, result, a, flow, volts));
            }
        }
    }
    std::stable_sort(loads.drivers.begin(), loads.drivers.end(),
                     [](const DriverLoad& x, const DriverLoad& y) { return x.driver < y.driver; });
    return loads;
}

std::string LoadSummary(const PartLoad& load) {
    if (load.watts.empty()) {
        return load.name + ": no load of its own";
    }
    const auto line = [&](const char* what, double v, double i, double p) {
        return std::string(what) + numberText3(v) + " V, " + numberText3(i) + " A, " +
               numberText3(p) + " W";
    };
    return load.name + "\n" +
           line("sine: ", load.voltage.sine, load.current.sine, load.power.sine) + " (peak at " +
           numberText(load.peakHz) + " Hz)\n" +
           line("pink noise: ", load.voltage.pink, load.current.pink, load.power.pink) +
           "\nsuggested rating: " + load.rating;
}

std::string PartLoadSummary(const TProjekt& project, const TResult& result, int amp, int slot,
                            double volts) {
    if (!result.Valid) {
        return {};
    }
    const NetworkLoads loads = ComputeLoads(project, result, volts);
    for (const PartLoad& load : loads.parts) {
        if (load.amp == amp && load.slot == slot) {
            return LoadSummary(load) + "\nat " + numberText3(volts) + " V rms input";
        }
    }
    return {};
}

std::optional<std::size_t> FindPart(const NetworkLoads& loads, int amp, const std::string& name) {
    for (std::size_t i = 0; i < loads.parts.size(); ++i) {
        if (loads.parts[i].amp == amp && loads.parts[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace tavrel
