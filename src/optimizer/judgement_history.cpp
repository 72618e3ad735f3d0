#include "optimizer/judgement_history.h"

#include "model/projekt.h"

namespace tavrel {

HistoryRecord HistoryRecordOf(const TJudgement& judgement) {
    const auto& J = judgement.J;
    return {J[12], J[7], J[3], J[0], J[10]};
}

void JudgementHistory::Append(const HistoryRecord& record) {
    if (static_cast<int>(m_records.size()) >= Capacity) {
        m_records.pop_front();
    }
    m_records.push_back(record);
}

std::array<HistoryLine, 5> HistoryLines(const JudgementHistory& history) {
    std::array<HistoryLine, 5> lines{{{"Total judgement", Rgb(0, 0, 0), {}},
                                      {"Frequency response", Rgb(0, 0, 255), {}},
                                      {"Efficiency", Rgb(128, 0, 0), {}},
                                      {"Impedance", Rgb(0, 128, 0), {}},
                                      {"Phase", Rgb(255, 0, 0), {}}}};
    double x = 0;
    for (const HistoryRecord& r : history.Records()) {
        const std::array<double, 5> values{r.total, r.response, r.efficiency, r.impedance, r.phase};
        for (std::size_t i = 0; i < lines.size(); ++i) {
            lines[i].points.push_back({x, 115 - 15 * values[i]});
        }
        x += 1;
    }
    return lines;
}

} // namespace tavrel
