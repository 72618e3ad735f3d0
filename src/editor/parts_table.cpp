#include "editor/parts_table.h"

#include "editor/part_tuning.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavrel {

namespace {

const char* unitOf(int typ) {
    return typ == PartCapacitor ? "uF" : typ == PartInductance ? "mH" : "ohm";
}

std::string figure(double value, bool known) {
    return known ? Significant4(value) : std::string();
}

TableRow partRow(const TProjekt& project, const PartLoad& load, int quantity) {
    const TWeichePart& part = project.Amps[load.amp].Weiche[load.slot];
    const bool loaded = !load.watts.empty();
    const bool coil = part.typ == PartInductance;
    return {std::to_string(load.amp + 1),
            load.name,
            Significant4(part.value * FieldScale(part.typ)),
            unitOf(part.typ),
            part.bem.str(),
            coil ? Significant4(part.Rvalue) : std::string(),
            figure(load.voltage.sine, loaded),
            figure(load.voltage.pink, loaded),
            figure(load.current.sine, loaded),
            figure(load.current.pink, loaded),
            figure(load.power.sine, loaded),
            figure(load.power.pink, loaded),
            figure(load.peakHz, loaded),
            load.rating,
            std::to_string(quantity)};
}

TableRow driverRow(const TProjekt& project, const DriverLoad& load, int quantity) {
    return {std::to_string(load.amp + 1),
            "Driver " + std::to_string(load.driver + 1),
            {},
            {},
            project.Chassis[load.driver].Name.str(),
            {},
            Significant4(load.voltage.sine),
            Significant4(load.voltage.pink),
            Significant4(load.current.sine),
            Significant4(load.current.pink),
            Significant4(load.power.sine),
            Significant4(load.power.pink),
            Significant4(load.peakHz),
            load.pmax > 0 ? Significant4(load.pmax) + " W rated" : std::string(),
            std::to_string(quantity)};
}

std::string field(const std::string& text, char separator) {
    if (separator != ',' || text.find_first_of(",\"") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

const TableRow& PartsTableHeader() {
    static const TableRow header{"Amplifier",
                                 "Part",
                                 "Value",
                                 "Unit",
                                 "Comment",
                                 "Coil resistance [ohm]",
                                 "Voltage sine [V]",
                                 "Voltage pink [V]",
                                 "Current sine [A]",
                                 "Current pink [A]",
                                 "Power sine [W]",
                                 "Power pink [W]",
                                 "Peak at [Hz]",
                                 "Suggested rating",
                                 "Quantity"};
    return header;
}

std::vector<TableRow> PartsTableRows(const TProjekt& project, const NetworkLoads& loads,
                                     int quantity) {
    std::vector<TableRow> rows;
    for (const PartLoad& load : loads.parts) {
        rows.push_back(partRow(project, load, quantity));
    }
    for (const DriverLoad& load : loads.drivers) {
        rows.push_back(driverRow(project, load, quantity));
    }
    return rows;
}

std::string Significant4(double value) {
    char buffer[40];
    if (value == 0 || !std::isfinite(value) || std::fabs(value) < 1e-3 || std::fabs(value) >= 1e7) {
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
        return std::string(buffer, end.ptr);
    }
    // Fixed notation keeps frequencies like 10890 readable; rounded to 4 digits first.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const double unit = std::pow(10.0, exponent - 3);
    const double rounded = std::round(value / unit) * unit;
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                                   std::chars_format::fixed, std::max(0, 3 - exponent));
    std::string text(buffer, end.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

std::string JoinTable(const std::vector<TableRow>& rows, char separator) {
    std::string text;
    for (const TableRow& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += (c > 0 ? std::string(1, separator) : std::string()) + field(row[c], separator);
        }
        text += '\n';
    }
    return text;
}

} // namespace tavrel
