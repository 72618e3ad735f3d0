// Number and grid helpers shared by the export files.
#pragma once

#include "engine/result.h"

#include <string>

namespace tavrel {

/// Grid points up to the first frequency that is not positive.
int ExportPointCount(const TResult& result);

/// Ten significant digits with a decimal point whatever the process locale.
std::string Significant10(double value);

} // namespace tavrel
