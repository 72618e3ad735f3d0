#include "export/limit_export.h"

#include "engine/excursion.h"
#include "engine/vent_velocity.h"
#include "export/export_text.h"
#include "foundation/number_text.h"

#include <cmath>
#include <vector>

namespace tavrel {

namespace {

struct Column {
    std::string title;
    std::vector<double> values;
};

DriverPorts portsOf(const TResult& r, const LimitExportSpec& spec) {
    return PortsOf(r.EinbauTyp[spec.driver], spec.einbau);
}

std::vector<Column> columnsOf(const TResult& r, const LimitExportSpec& spec) {
    const int n = ExportPointCount(r);
    std::vector<Column> columns;
    if (spec.curve == LimitCurve::Excursion) {
        Column& c = columns.emplace_back(Column{"Excursion [mm]", {}});
        for (int k = 0; k < n; ++k) {
            c.values.push_back(ExcursionAt(r, spec.driver, k, spec.amem, spec.volts) * 1000.0);
        }
        return columns;
    }
    if (spec.curve == LimitCurve::RadiatorExcursion) {
        Column& c = columns.emplace_back(Column{"Radiator excursion [mm]", {}});
        for (int k = 0; k < n; ++k) {
            c.values.push_back(RadiatorExcursionAt(r, spec.driver, k, spec.einbau, spec.volts) *
                               1000.0);
        }
        return columns;
    }
    const DriverPorts ports = portsOf(r, spec);
    for (int p = 0; p < ports.count; ++p) {
        const DriverPort& port = ports.ports[p];
        const bool front = port.side == PortSide::Front;
        Column& c =
            columns.emplace_back(Column{front ? "Front port [m/s]" : "Rear port [m/s]", {}});
        for (int k = 0; k < n; ++k) {
            c.values.push_back(PortAirVelocity(r, spec.driver, port, k, spec.volts));
        }
    }
    return columns;
}

std::string titleOf(const LimitExportSpec& spec) {
    const std::string what = spec.curve == LimitCurve::Excursion
                                 ? "Peak excursion (one side) of driver "
                             : spec.curve == LimitCurve::RadiatorExcursion
                                 ? "Peak excursion (one side) of the passive radiators of driver "
                                 : "Peak air velocity in the ports of driver ";
    return what + std::to_string(spec.driver + 1) + " at " + FloatToWidth(6, spec.volts) + " V rms";
}

bool allFinite(const std::vector<Column>& columns) {
    for (const Column& c : columns) {
        for (double v : c.values) {
            if (!std::isfinite(v)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::optional<std::string> CheckLimitExport(const TResult& r, const LimitExportSpec& spec) {
    const std::string number = std::to_string(spec.driver + 1);
    if (spec.driver < 0 || spec.driver >= r.nChassis || spec.driver >= MaxChassis) {
        return "Driver " + number + " does not exist; the project has " +
               std::to_string(r.nChassis) + " drivers.";
    }
    if (!(spec.volts > 0) || !std::isfinite(spec.volts)) {
        return std::string("The input level must be a positive number of volts.");
    }
    if (!HasExcursion(r, spec.driver)) {
        return std::string(UnusedDriverMessage);
    }
    if (spec.curve == LimitCurve::RadiatorExcursion && !HasRadiators(r, spec.driver, spec.einbau)) {
        return "Driver " + number + " has no passive radiators: its enclosure is of another type.";
    }
    if (spec.curve == LimitCurve::VentVelocity) {
        const DriverPorts ports = portsOf(r, spec);
        if (ports.count == 0 && r.EinbauTyp[spec.driver] == EinbauPassiveRadiator) {
            return "Driver " + number + " has no port but passive radiators: export " +
                   "radiatorexcursion " + number + " instead.";
        }
        if (ports.count == 0) {
            return "Driver " + number +
                   " has no port: its enclosure is neither vented nor a bandpass.";
        }
        for (int p = 0; p < ports.count; ++p) {
            if (!(ports.ports[p].area > 0)) {
                return "Driver " + number + ": enter the port cross-section in the driver editor.";
            }
        }
    }
    if (!allFinite(columnsOf(r, spec))) {
        return std::string("The curve has values that are not finite numbers; check the project "
                           "for extreme values.");
    }
    return std::nullopt;
}

std::string FormatLimitExport(const TResult& r, const LimitExportSpec& spec, bool exp, bool csv) {
    const std::vector<Column> columns = columnsOf(r, spec);
    ExportTable table{titleOf(spec), {"Frequency [Hz]"}, {}};
    for (const Column& c : columns) {
        table.columns.push_back(c.title);
    }
    const ExportFormat format =
        exp ? ExportFormat::Exp : (csv ? ExportFormat::Csv : ExportFormat::Frd);
    return FormatTable(table, format, ExportPointCount(r), [&](int k, std::vector<double>& row) {
        row.push_back(r.Freq[k]);
        for (const Column& c : columns) {
            row.push_back(c.values[static_cast<std::size_t>(k)]);
        }
    });
}

} // namespace tavrel
