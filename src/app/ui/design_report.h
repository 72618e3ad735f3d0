// The design report: one PDF with the project's name and comments, the drivers, each
// amplifier's active filter and schematic, the parts list with loads, and the charts a builder
// checks, drawn as vector graphics with real text by Qt's own PDF writer.
#pragma once

#include "charts/tv_chart.h"
#include "engine/result.h"
#include "model/projekt.h"
#include "optimizer/judgement.h"

#include <string>
#include <vector>

namespace tavrel {

struct DesignReportInput {
    std::string name;                ///< the project file's base name
    std::vector<std::string> errors; ///< the calculation's error list; charts and loads left out
    double volts = 2.83;             ///< input level of the parts list
    bool letter = false;             ///< US letter instead of A4
    /// The window's response chart with the reference curves it holds, drawn instead of a
    /// chart made from `result` (which has no reference); null for none.
    const TVChart* responseChart = nullptr;
};

/// Writes the report of `project` with its `result` and `judgement` to `path`, atomically:
/// empty on success, else why not (an old file is then unchanged).
std::string WriteDesignReport(const std::string& path, const TProjekt& project,
                              const TResult& result, const TJudgement& judgement,
                              const DesignReportInput& input);

} // namespace tavrel
