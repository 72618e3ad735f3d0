// Export of the time-domain curves: the group delay over frequency, and the impulse and step
// responses sample by sample from the first computed sample to the last.
#pragma once

#include "export/result_export.h"

#include <string>

namespace tavrel {

bool IsTimeCurve(ExportCurve curve);
/// The group delay, impulse or step of one driver (rather than of the whole speaker).
bool IsDriverTimeCurve(ExportCurve curve);
/// The slot of the results' time block the curve reads: 0 the speaker, driver + 1 a driver.
int TimeSlotOf(const ExportSpec& spec);

/// The file text of a time curve (checked with CheckExport first): group delay as frequency
/// and ms, impulse (1/s) and step as time in ms and value.
std::string FormatTimeExport(const TResult& result, const ExportSpec& spec, ExportFormat format);

} // namespace tavrel
