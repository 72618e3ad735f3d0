// The judgements of an optimizer run, one record per completed iteration, and the lines of
// the small chart that shows them falling.
#pragma once

#include "optimizer/judgement.h"

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace tavrel {

struct HistoryRecord {
    double total = 0, response = 0, efficiency = 0, impedance = 0, phase = 0;
};

HistoryRecord HistoryRecordOf(const TJudgement& judgement);

/// At most 251 records; when full, the oldest is dropped.
class JudgementHistory {
public:
    static constexpr int Capacity = 251;
    void Append(const HistoryRecord& record);
    void Clear() { m_records.clear(); }
    const std::deque<HistoryRecord>& Records() const { return m_records; }

private:
    std::deque<HistoryRecord> m_records;
};

/// The judgement chart: a 272 × 118 area, one pixel per record, y = 115 − 15 · value.
constexpr int HistoryChartWidth = 272;
constexpr int HistoryChartHeight = 118;

struct HistoryLine {
    const char* caption;
    std::uint32_t color; ///< 0x00BBGGRR
    std::vector<std::array<double, 2>> points;
};

/// "Total judgement" (black), "Frequency response" (blue), "Efficiency" (dark red),
/// "Impedance" (green) and "Phase" (red).
std::array<HistoryLine, 5> HistoryLines(const JudgementHistory& history);

} // namespace tavrel
