#include "tolerance/tolerance_text.h"

#include "export/export_text.h"

#include <cstdio>

namespace tavrel {

namespace {

void appendSpread(std::string& line, const CurveSpread& s, std::size_t k, const char* separator) {
    for (const auto* column : {&s.nominal, &s.min, &s.p5, &s.p50, &s.p95, &s.max}) {
        line += separator + Significant10((*column)[k]);
    }
}

std::string header(const ToleranceResult& r) {
    std::string text = "Frequency [Hz]";
    const auto add = [&text](const std::string& curve) {
        for (const char* column : {"nominal", "min", "p5", "p50", "p95", "max"}) {
            text += "," + curve + " " + column;
        }
    };
    add("Level [dB]");
    for (std::size_t a = 0; a < r.impedance.size(); ++a) {
        add("Z amplifier " + std::to_string(a + 1) + " [ohm]");
    }
    return text + "\n";
}

std::string oneDecimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

std::string threeDecimals(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

} // namespace

std::string FormatToleranceTable(const ToleranceResult& r, bool csv) {
    const char* separator = csv ? "," : "\t";
    std::string text = csv ? header(r) : std::string();
    for (std::size_t k = 0; k < r.freq.size(); ++k) {
        std::string line = Significant10(r.freq[k]);
        appendSpread(line, r.level, k, separator);
        for (const CurveSpread& z : r.impedance) {
            appendSpread(line, z, k, separator);
        }
        text += line + "\n";
    }
    return text;
}

std::string PairSummaryText(const ToleranceResult& r) {
    if (r.pairDifferences.empty()) {
        return "No pair could be compared.";
    }
    return "Pairs differ by at most " + oneDecimal(r.pairs.p50) + " dB in half of all builds, " +
           oneDecimal(r.pairs.p95) + " dB in 95 %";
}

std::string JudgementSpreadText(const ToleranceResult& r) {
    return "Total judgement " + threeDecimals(r.judgementNominal) + " as designed; " +
           threeDecimals(r.judgement.p5) + " (5 %), " + threeDecimals(r.judgement.p50) +
           " (50 %), " + threeDecimals(r.judgement.p95) + " (95 %) as built";
}

std::string RunCountText(const ToleranceResult& r) {
    std::string text = std::to_string(r.runs) + " builds calculated";
    if (r.failedRuns > 0) {
        text += ", " + std::to_string(r.failedRuns) + " did not calculate and are left out";
    }
    return text;
}

} // namespace tavrel
