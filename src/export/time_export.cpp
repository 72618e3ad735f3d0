#include "export/time_export.h"

#include "export/export_text.h"
#include "foundation/number_text.h"

#include <algorithm>

namespace tavrel {

namespace {

constexpr int ExpTimeWidth = 10; ///< a sample is 0.0104 ms: width 6 would merge neighbours

struct TimeView {
    std::string what;   ///< "Group delay", "Impulse response", "Step response"
    std::string column; ///< title of the value column
    const std::array<TimeCurve, TimeSlots> TResult::*samples = nullptr; ///< none: group delay
};

TimeView viewOf(ExportCurve curve) {
    switch (curve) {
    case ExportCurve::GroupDelay:
    case ExportCurve::DriverGroupDelay:
        return {"Group delay", "Group delay [ms]", nullptr};
    case ExportCurve::Impulse:
    case ExportCurve::DriverImpulse:
        return {"Impulse response", "Impulse [1/s]", &TResult::Impulse};
    default:
        return {"Step response", "Step", &TResult::Step};
    }
}

std::string titleOf(const ExportSpec& spec, const TimeView& view) {
    std::string title =
        view.what +
        (IsDriverTimeCurve(spec.curve) ? " of driver " + std::to_string(spec.index + 1)
                                       : std::string(" of the whole speaker")) +
        " on axis";
    if (view.samples) {
        title += " (" + std::to_string(static_cast<long>(TimeSampleRate)) + " samples/s, " +
                 std::to_string(TimeSamples) + " samples)";
    }
    return title;
}

} // namespace

bool IsTimeCurve(ExportCurve curve) {
    return curve == ExportCurve::GroupDelay || curve == ExportCurve::Impulse ||
           curve == ExportCurve::Step || IsDriverTimeCurve(curve);
}

bool IsDriverTimeCurve(ExportCurve curve) {
    return curve == ExportCurve::DriverGroupDelay || curve == ExportCurve::DriverImpulse ||
           curve == ExportCurve::DriverStep;
}

int TimeSlotOf(const ExportSpec& spec) {
    return IsDriverTimeCurve(spec.curve) ? spec.index + 1 : 0;
}

std::string FormatTimeExport(const TResult& r, const ExportSpec& spec, ExportFormat format) {
    const TimeView view = viewOf(spec.curve);
    const int slot = TimeSlotOf(spec);
    ExportTable table{titleOf(spec, view), {"Frequency [Hz]", view.column}, {}};
    if (!view.samples) {
        // The group delay: grid frequency and ms.
        return FormatTable(table, format, ExportPointCount(r),
                           [&](int k, std::vector<double>& row) {
                               row = {r.Freq[k], 1000 * r.GroupDelay[slot][k]};
                           });
    }
    table.columns[0] = "Time [ms]";
    table.expWidth = ExpTimeWidth;
    const TimeCurve& values = (r.*view.samples)[slot];
    return FormatTable(table, format, TimeSamples, [&](int i, std::vector<double>& row) {
        row = {1000 * (TimeStart + i / TimeSampleRate), values[i]};
    });
}

} // namespace tavrel
