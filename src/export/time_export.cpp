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

std::string titleOf(const TResult& r, const ExportSpec& spec, const TimeView& view) {
    std::string title =
        view.what +
        (IsDriverTimeCurve(spec.curve) ? " of driver " + std::to_string(spec.index + 1)
                                       : std::string(" of the whole speaker")) +
        " on axis";
    if (view.samples) {
        title += " (" + std::to_string(static_cast<long>(r.TimeRate)) + " samples/s, " +
                 std::to_string(r.TimeCount) + " samples)";
    }
    return title;
}

/// The rows (x, y) of the curve: grid frequency and ms, or time in ms and value.
template <typename Row>
void forEachRow(const TResult& r, const ExportSpec& spec, const TimeView& view, Row row) {
    const int slot = TimeSlotOf(spec);
    if (!view.samples) {
        for (int k = 0; k < GridSize && r.Freq[k] > 0; ++k) {
            row(r.Freq[k], 1000 * r.GroupDelay[slot][k]);
        }
        return;
    }
    const TimeCurve& values = (r.*view.samples)[slot];
    const int count = std::clamp<int>(r.TimeCount, 0, TimeSamples);
    for (int i = 0; i < count; ++i) {
        row(1000 * (r.TimeStart + i / r.TimeRate), values[i]);
    }
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
    const std::string title = titleOf(r, spec, view);
    const std::string xColumn = view.samples ? "Time [ms]" : "Frequency [Hz]";
    std::string text;
    if (format == ExportFormat::Exp) {
        text = "# " + title + "\r\n# " + xColumn + "\t" + view.column + "\r\n";
        const int width = view.samples ? ExpTimeWidth : 6;
        forEachRow(r, spec, view, [&](double x, double y) {
            text += FloatToWidth(width, x) + "\t" + FloatToWidth(width, y) + "\r\n";
        });
        return text;
    }
    const bool csv = format == ExportFormat::Csv;
    const std::string separator = csv ? "," : " ";
    text = csv ? xColumn + separator + view.column + "\n"
               : "* " + title + "\n* " + xColumn + separator + view.column + "\n";
    forEachRow(r, spec, view, [&](double x, double y) {
        text += Significant10(x) + separator + Significant10(y) + "\n";
    });
    return text;
}

} // namespace tavrel
