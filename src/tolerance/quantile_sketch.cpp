#include "tolerance/quantile_sketch.h"

#include <algorithm>
#include <array>
#include <boost/accumulators/accumulators.hpp>
#include <boost/accumulators/statistics/extended_p_square.hpp>
#include <boost/accumulators/statistics/stats.hpp>

namespace tavrel {

namespace acc = boost::accumulators;

namespace {

constexpr std::array<double, 3> Probabilities{0.05, 0.5, 0.95};

} // namespace

struct QuantileSketch::Estimator {
    acc::accumulator_set<double, acc::stats<acc::tag::extended_p_square>> set{
        acc::extended_p_square_probabilities = Probabilities};
};

double PercentileOfSorted(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) {
        return 0;
    }
    const double h = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(h);
    if (below + 1 >= sorted.size()) {
        return sorted.back();
    }
    const double low = sorted[below], high = sorted[below + 1];
    // Equal neighbours give that value exactly, whatever the fraction.
    return low == high ? low : low + (h - static_cast<double>(below)) * (high - low);
}

Percentiles ExactPercentiles(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    return {values.front(), PercentileOfSorted(values, 0.05), PercentileOfSorted(values, 0.5),
            PercentileOfSorted(values, 0.95), values.back()};
}

QuantileSketch::QuantileSketch() = default;
QuantileSketch::~QuantileSketch() = default;
QuantileSketch::QuantileSketch(QuantileSketch&&) noexcept = default;
QuantileSketch& QuantileSketch::operator=(QuantileSketch&&) noexcept = default;

void QuantileSketch::Add(double value) {
    m_min = m_count == 0 ? value : std::min(m_min, value);
    m_max = m_count == 0 ? value : std::max(m_max, value);
    ++m_count;
    if (m_estimator) {
        m_estimator->set(value);
        return;
    }
    if (m_values.size() < ExactLimit) {
        m_values.push_back(value);
        return;
    }
    m_estimator = std::make_unique<Estimator>();
    for (double kept : m_values) {
        m_estimator->set(kept);
    }
    m_estimator->set(value);
    std::vector<double>().swap(m_values);
}

Percentiles QuantileSketch::Result() const {
    if (!m_estimator) {
        return ExactPercentiles(m_values);
    }
    const auto estimate = acc::extended_p_square(m_estimator->set);
    // The markers stay ordered; clamping keeps them inside the exact extremes as well.
    const auto clamp = [this](double x) { return std::clamp(x, m_min, m_max); };
    return {m_min, clamp(estimate[0]), clamp(estimate[1]), clamp(estimate[2]), m_max};
}

} // namespace tavrel
