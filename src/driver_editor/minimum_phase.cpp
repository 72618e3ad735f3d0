// The transform runs on a fixed linear grid up to four times the highest measured frequency, so
// the resolution near the bottom of the band is what limits the phase there. The two plans are
// made once: the FFTW planner must not run in two threads at once.
#include "driver_editor/minimum_phase.h"

#include <algorithm>
#include <cmath>
#include <fftw3.h>
#include <memory>

namespace tavrel {
namespace {

constexpr int Samples = 1 << 18;
constexpr int Bins = Samples / 2 + 1;
/// Log magnitudes are held above this so a zero stays finite.
constexpr double LogFloor = -200.0;

struct FftwDeleter {
    void operator()(void* p) const { fftw_free(p); }
};

struct Plans {
    fftw_plan toCepstrum;
    fftw_plan toSpectrum;
};

const Plans& plans() {
    static const Plans p = [] {
        std::unique_ptr<fftw_complex[], FftwDeleter> bins(fftw_alloc_complex(Bins));
        std::unique_ptr<double[], FftwDeleter> samples(fftw_alloc_real(Samples));
        return Plans{fftw_plan_dft_c2r_1d(Samples, bins.get(), samples.get(), FFTW_ESTIMATE),
                     fftw_plan_dft_r2c_1d(Samples, samples.get(), bins.get(), FFTW_ESTIMATE)};
    }();
    return p;
}

double safeLog(double x) {
    return x > 0.0 && std::isfinite(x) ? std::max(std::log(x), LogFloor) : LogFloor;
}

/// The log of measurement over model at f: interpolated on log f inside the band, the edge
/// value outside it.
double logRatioAt(const std::vector<double>& f, const std::vector<double>& logRatio, double x) {
    if (x <= f.front()) {
        return logRatio.front();
    }
    if (x >= f.back()) {
        return logRatio.back();
    }
    const auto upper = std::upper_bound(f.begin(), f.end(), x) - f.begin();
    const double t = std::log(x / f[upper - 1]) / std::log(f[upper] / f[upper - 1]);
    return logRatio[upper - 1] + t * (logRatio[upper] - logRatio[upper - 1]);
}

} // namespace

std::vector<double> MinimumPhase(const std::vector<double>& f, const std::vector<double>& magnitude,
                                 const std::vector<std::complex<double>>& model) {
    const std::size_t n = f.size();
    const bool hasModel = model.size() == n;
    if (n < 2 || magnitude.size() != n) {
        return std::vector<double>(n, 0.0);
    }
    std::vector<double> logRatio;
    for (std::size_t i = 0; i < n; ++i) {
        logRatio.push_back(safeLog(magnitude[i]) - (hasModel ? safeLog(std::abs(model[i])) : 0.0));
    }
    const double step = 4.0 * f.back() / (Bins - 1);
    if (!(step > 0.0) || !std::isfinite(step)) {
        return std::vector<double>(n, 0.0);
    }
    std::unique_ptr<fftw_complex[], FftwDeleter> bins(fftw_alloc_complex(Bins));
    std::unique_ptr<double[], FftwDeleter> cepstrum(fftw_alloc_real(Samples));
    for (int k = 0; k < Bins; ++k) {
        bins[k][0] = logRatioAt(f, logRatio, k * step);
        bins[k][1] = 0.0;
    }
    fftw_execute_dft_c2r(plans().toCepstrum, bins.get(), cepstrum.get());
    // Folding the even cepstrum onto positive times makes it causal: the minimum-phase system.
    for (int i = 0; i < Samples; ++i) {
        const double fold = i == 0 || i == Samples / 2 ? 1.0 : i < Samples / 2 ? 2.0 : 0.0;
        cepstrum[i] *= fold / Samples;
    }
    fftw_execute_dft_r2c(plans().toSpectrum, cepstrum.get(), bins.get());
    std::vector<double> phase;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = f[i] / step;
        const int k = std::min(static_cast<int>(x), Bins - 2);
        const double t = x - k;
        const double departure = (1.0 - t) * bins[k][1] + t * bins[k + 1][1];
        phase.push_back(departure + (hasModel ? std::arg(model[i]) : 0.0));
    }
    return phase;
}

} // namespace tavrel
