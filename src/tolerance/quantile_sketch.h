// QuantileSketch: the spread of a stream of values — smallest, 5 %, 50 %, 95 % and largest —
// in bounded memory. Up to ExactLimit values are kept and the percentiles are exact (linear
// between neighbouring order statistics). The next value hands the kept ones, in the order they
// came, to Boost.Accumulators' extended P² estimator and frees them: from then on a fixed set
// of nine markers estimates the percentiles, while the smallest and largest stay exact. The
// result depends only on the values and their order.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace tavrel {

struct Percentiles {
    double min = 0, p5 = 0, p50 = 0, p95 = 0, max = 0;
};

/// The value at fraction `p` (0..1) of ascending `sorted` values, interpolated linearly
/// between the order statistics around p·(n − 1); 0 for no values.
double PercentileOfSorted(const std::vector<double>& sorted, double p);

/// The percentiles of `values` (any order), computed exactly.
Percentiles ExactPercentiles(std::vector<double> values);

class QuantileSketch {
public:
    static constexpr std::size_t ExactLimit = 1000;

    QuantileSketch();
    ~QuantileSketch();
    QuantileSketch(QuantileSketch&&) noexcept;
    QuantileSketch& operator=(QuantileSketch&&) noexcept;

    void Add(double value);
    Percentiles Result() const;
    /// True once the percentiles are estimates (more than ExactLimit values).
    bool Estimated() const { return m_estimator != nullptr; }

private:
    struct Estimator;

    std::vector<double> m_values;
    std::unique_ptr<Estimator> m_estimator;
    std::size_t m_count = 0;
    double m_min = 0, m_max = 0;
};

} // namespace tavrel
