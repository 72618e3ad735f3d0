#include "calculators/voltage_divider.h"

#include "foundation/number_text.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr double OpenResistor = 1e10;
constexpr int WantedSuggestions = 5;

void exactValues(const DividerLevelInputs& in, double a, double ze, double za, LineList& list) {
    const double r1 = (1 - a) * ze;
    const double r2 = 1 / (1 / (ze * a) - 1 / za + 1e-20);
    list.Text("Exact values according to input:");
    list.Number("R1 = ", r1, 6, " ohm");
    if (std::fabs(r2) >= OpenResistor) {
        list.Text("R2 = open");
    } else {
        list.Number("R2 = ", r2, 6, " ohm");
    }
    if (r2 < 0 && !in.ZEegal) {
        list.Text("Warning: Impedance not reachable, therefor R2<0!");
    }
    list.Text("");
    list.Text("Suggestions with commonly available parts:");
}

std::string suggestionText(LineList& list, double r1, double r2, double level, double zin) {
    std::string text = "R1 = ";
    text += r1 < 10000 ? list.Format(r1, 5) + " ohm; " : "leave open; ";
    text += "R2 = ";
    text += r2 < 10000 ? list.Format(r2, 5) + " ohm " : "leave open ";
    text += "results in " + list.Format(level, 5) + " dB reduction at impedance of " +
            list.Format(zin, 5) + " ohm.";
    return text;
}

/// Widening tolerance levels until at least five distinct pairs were found (or 100 levels).
void suggestions(const DividerLevelInputs& in, double wish, double ze, double za, LineList& list) {
    int added = 0;
    for (int t = 0; t < 100 && added < WantedSuggestions; ++t) {
        for (const double r1 : CommonResistors) {
            for (std::size_t n = 1; n < CommonResistors.size(); ++n) {
                const double r2 = CommonResistors[n];
                const double zp = 1 / (1 / za + 1 / r2);
                const double zin = zp + r1;
                const double level = 20 * std::log10(zp / zin);
                const bool impedanceFits =
                    in.ZEegal || ((1 - 0.01 * t) * ze < zin && zin < (1 + 0.02 * t) * ze);
                if (!impedanceFits || std::fabs(level - wish) >= 0.05 + 0.05 * t) {
                    continue;
                }
                std::string text = suggestionText(list, r1, r2, level, zin);
                if (!list.Contains(text)) {
                    list.Text(std::move(text));
                    ++added;
                }
            }
        }
    }
}

} // namespace

std::array<std::string, 25> DividerLevelChoices() {
    std::array<std::string, 25> items;
    for (int n = 0; n < 20; ++n) {
        items[n] = "-" + FloatToWidth(4, 0.5 * (n + 1)) + " dB";
    }
    for (int n = 0; n < 5; ++n) {
        items[20 + n] = "-" + std::to_string(11 + n) + " dB";
    }
    items[2] = "-1.5dB";
    for (std::string& item : items) {
        for (char& c : item) {
            c = c == ',' ? '.' : c;
        }
    }
    return items;
}

Lines DividerByLevel(const DividerLevelInputs& in) {
    LineList list;
    const double wish = FieldValue(in.dBWunsch);
    list.Number("dB wish = ", wish, 6, " dB");
    const double a = std::pow(10.0, wish / 20);
    const double ze = FieldValue(in.ZE);
    const double za = FieldValue(in.ZA);
    if (ze > 0 && za > 0) {
        exactValues(in, a, ze, za, list);
        suggestions(in, wish, ze, za, list);
    }
    return std::move(list).Finish();
}

Lines DividerByParts(const DividerPartsInputs& in) {
    LineList list;
    const double r1 = FieldValue(in.R1);
    const double r2 = FieldValue(in.R2);
    const double rl = FieldValue(in.RL);
    if (r1 > 0 && r2 > 0 && rl > 0) {
        const double z = r1 + 1 / (1 / r2 + 1 / rl);
        list.Number("level reduction: ", 20 * std::log10(1 - r1 / z), 5, " dB");
        list.Number("Impedance: ", z, 5, " ohm");
    }
    return std::move(list).Finish();
}

} // namespace tavrel
