#include "editor/part_curves.h"

#include "editor/part_loads.h"
#include "export/export_text.h"
#include "foundation/number_text.h"

#include <cmath>

namespace tavrel {

namespace {

struct QuantityName {
    const char* curve;
    PartQuantity quantity;
    const char* column;
    const char* title;
};

constexpr QuantityName QuantityNames[] = {
    {"partpower", PartQuantity::Power, "Power [W]", "Power dissipated in "},
    {"partcurrent", PartQuantity::Current, "Current [A]", "RMS current through "},
    {"partvoltage", PartQuantity::Voltage, "Voltage [V]", "RMS voltage across "},
};

const QuantityName& nameOf(PartQuantity quantity) {
    for (const QuantityName& name : QuantityNames) {
        if (name.quantity == quantity) {
            return name;
        }
    }
    return QuantityNames[0];
}

const std::vector<double>& valuesOf(const PartLoad& load, PartQuantity quantity) {
    return quantity == PartQuantity::Power     ? load.watts
           : quantity == PartQuantity::Current ? load.amps
                                               : load.volts;
}

std::string partList(const NetworkLoads& loads, int amp) {
    std::string names;
    for (const PartLoad& load : loads.parts) {
        if (load.amp == amp) {
            names += (names.empty() ? "" : ", ") + load.name;
        }
    }
    return names.empty() ? "none" : names;
}

} // namespace

std::optional<PartQuantity> FindPartQuantity(const std::string& curveName) {
    for (const QuantityName& name : QuantityNames) {
        if (curveName == name.curve) {
            return name.quantity;
        }
    }
    return std::nullopt;
}

PartCurveText FormatPartCurve(const TProjekt& project, const TResult& result,
                              const PartCurveSpec& spec, ExportFormat format) {
    const int amps = AmpCount(project);
    if (spec.amp < 0 || spec.amp >= amps) {
        return {"Amplifier " + std::to_string(spec.amp + 1) + " does not exist; the project has " +
                    std::to_string(amps),
                {}};
    }
    const NetworkLoads loads = ComputeLoads(project, result, spec.volts);
    const auto index = FindPart(loads, spec.amp, spec.part);
    if (!index) {
        return {"Amplifier " + std::to_string(spec.amp + 1) + " has no part '" + spec.part +
                    "' (its parts: " + partList(loads, spec.amp) + ")",
                {}};
    }
    const PartLoad& load = loads.parts[*index];
    const std::vector<double>& values = valuesOf(load, spec.quantity);
    if (values.empty()) {
        return {"Part " + load.name + " of amplifier " + std::to_string(spec.amp + 1) +
                    " has no load of its own (a value of 0 makes it a wire, or the network " +
                    "cannot be calculated)",
                {}};
    }
    const QuantityName& name = nameOf(spec.quantity);
    const ExportTable table{name.title + load.name + " of amplifier " +
                                std::to_string(spec.amp + 1) + " at " +
                                FloatToWidth(6, spec.volts) + " V rms",
                            {"Frequency [Hz]", name.column},
                            {},
                            6};
    return {std::nullopt,
            FormatTable(table, format, static_cast<int>(values.size()),
                        [&](int k, std::vector<double>& row) {
                            row = {result.Freq[k], values[static_cast<std::size_t>(k)]};
                        })};
}

} // namespace tavrel
