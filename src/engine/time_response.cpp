// Group delay, impulse and step responses of the whole speaker and of each driver on axis.
#include "engine/time_response.h"

#include "engine/baffle_sincos.h"
#include "engine/helper_thread.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fftw3.h>
#include <memory>
#include <numbers>
#include <sleef.h>
#include <vector>

namespace tavrel {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int Bins = TimeSamples / 2 + 1; ///< DC to half the sample rate
constexpr double BinWidth = TimeSampleRate / TimeSamples;

/// Where a frequency bin takes its value from.
enum BinSource : int { Silent = -1, BelowGrid = -2, AboveGrid = -3 };

/// Per bin: `segment` ≥ 0 interpolates between grid points segment and segment + 1 at
/// `weight` (0..1 in ln f); below and above the grid `weight` is the taper and `beyond` the
/// distance in Hz from the grid's end, over which the phase goes on with the end's delay.
struct BinMap {
    std::vector<int> segment = std::vector<int>(Bins, Silent);
    std::vector<double> weight = std::vector<double>(Bins, 0.0);
    std::vector<double> beyond = std::vector<double>(Bins, 0.0);
};

/// Raised cosine from 0 at x = 0 to 1 at x = 1.
double riseOf(double x) {
    return 0.5 - 0.5 * std::cos(Pi * x);
}

BinMap mapBins(const double* freq, int count) {
    BinMap map;
    const double first = freq[0];
    const double last = freq[count - 1];
    int k = 0;
    // DC and the bin at half the sample rate stay 0: the output is real and has no offset.
    for (int m = 1; m < Bins - 1; ++m) {
        const double f = m * BinWidth;
        if (f <= first / 2 || f >= 2 * last) {
            continue;
        }
        if (f < first) {
            map.segment[m] = BelowGrid;
            map.weight[m] = riseOf(std::log2(2 * f / first));
            map.beyond[m] = f - first;
        } else if (f > last) {
            map.segment[m] = AboveGrid;
            map.weight[m] = riseOf(1.0 - std::log2(f / last));
            map.beyond[m] = f - last;
        } else {
            while (k < count - 2 && freq[k + 1] < f) {
                ++k;
            }
            const double span = std::log(freq[k + 1] / freq[k]);
            map.segment[m] = k;
            map.weight[m] = span > 0 ? std::clamp(std::log(f / freq[k]) / span, 0.0, 1.0) : 0.0;
        }
    }
    return map;
}

/// The map of the grid computed last on this thread: the grid changes seldom.
const BinMap& binMapOf(const std::array<double, GridSize>& freq, int count) {
    thread_local std::array<double, GridSize> grid{};
    thread_local BinMap map;
    if (freq != grid) {
        grid = freq;
        map = count >= 2 ? mapBins(freq.data(), count) : BinMap{};
    }
    return map;
}

struct FftwDeleter {
    void operator()(void* p) const { fftw_free(p); }
};
using Spectrum = std::unique_ptr<fftw_complex[], FftwDeleter>;
using Samples = std::unique_ptr<double[], FftwDeleter>;

Spectrum makeSpectrum() {
    return Spectrum(fftw_alloc_complex(Bins));
}
Samples makeSamples() {
    return Samples(fftw_alloc_real(TimeSamples));
}

/// One plan for every caller: FFTW's planner is not thread-safe, but executing a plan on new
/// arrays (allocated by FFTW, so aligned alike) is.
fftw_plan inversePlan() {
    static const fftw_plan plan = [] {
        Spectrum in = makeSpectrum();
        Samples out = makeSamples();
        return fftw_plan_dft_c2r_1d(TimeSamples, in.get(), out.get(), FFTW_ESTIMATE);
    }();
    return plan;
}

/// One slot's working arrays on the grid.
struct GridCurves {
    std::vector<TComplex> response = std::vector<TComplex>(GridSize);
    std::vector<double> phase = std::vector<double>(GridSize);
    std::vector<double> logMagnitude = std::vector<double>(GridSize);
};

/// Level (ln of the magnitude, until fillSpectrum takes its exponential in place), phase and
/// magnitude of every bin; the magnitude holds the taper until fillSpectrum multiplies the
/// level in (0 for a silent bin).
struct BinValues {
    std::vector<double> level = std::vector<double>(Bins, 0.0);
    std::vector<double> phase = std::vector<double>(Bins, 0.0);
    std::vector<double> magnitude = std::vector<double>(Bins, 0.0);
};

void interpolateBins(const BinMap& map, const GridCurves& g, const double* delay, int count,
                     BinValues& bins) {
    const int last = count - 1;
    for (int m = 0; m < Bins; ++m) {
        const int k = map.segment[m];
        double scale = 1.0;
        if (k >= 0) {
            const double w = map.weight[m];
            bins.level[m] = g.logMagnitude[k] + w * (g.logMagnitude[k + 1] - g.logMagnitude[k]);
            bins.phase[m] = g.phase[k] + w * (g.phase[k + 1] - g.phase[k]);
        } else if (k == BelowGrid || k == AboveGrid) {
            const int end = k == BelowGrid ? 0 : last;
            bins.level[m] = g.logMagnitude[end];
            bins.phase[m] = g.phase[end] - 2 * Pi * delay[end] * map.beyond[m];
            scale = map.weight[m];
        } else {
            bins.level[m] = 0.0;
            bins.phase[m] = 0.0;
            scale = 0.0;
        }
        bins.magnitude[m] = scale;
    }
}

/// e^x of every value in place, by SLEEF's vector exponential (within 1 ulp) where the
/// processor has vectors, a fifth of the library's scalar exp.
void expInPlace(double* values, int count) {
    int m = 0;
#if defined(__SSE2__)
    for (; m + 2 <= count; m += 2) {
        _mm_storeu_pd(values + m, Sleef_expd2_u10(_mm_loadu_pd(values + m)));
    }
#endif
    for (; m < count; ++m) {
        values[m] = std::exp(values[m]);
    }
}

/// Separate from the interpolation, so that the compiler can vectorise the sine and cosine.
void fillSpectrum(BinValues& bins, fftw_complex* spectrum) {
    expInPlace(bins.level.data(), Bins);
    for (int m = 0; m < Bins; ++m) {
        bins.magnitude[m] *= bins.level[m];
    }
    double* out = spectrum[0];
    const double* magnitude = bins.magnitude.data();
    const double* phase = bins.phase.data();
    for (int m = 0; m < Bins; ++m) {
        const baffle_math::SinCosValue sc = baffle_math::SinCos(phase[m]);
        out[2 * m] = magnitude[m] * sc.cos;
        out[2 * m + 1] = magnitude[m] * sc.sin;
    }
}

/// The inverse FFT's samples in time order (the last quarter of its buffer holds the times
/// before 0), scaled so that their transform gives back the response, and their running sum.
void storeTimeCurves(const double* samples, TimeCurve& impulse, TimeCurve& step) {
    constexpr int Lead = TimeLeadSamples;
    for (int i = 0; i < Lead; ++i) {
        impulse[i] = samples[TimeSamples - Lead + i] * BinWidth;
    }
    for (int i = Lead; i < TimeSamples; ++i) {
        impulse[i] = samples[i - Lead] * BinWidth;
    }
    double sum = 0.0;
    for (int i = 0; i < TimeSamples; ++i) {
        sum += impulse[i] * (1.0 / TimeSampleRate);
        step[i] = sum;
    }
}

/// Without an early exit, so that the compiler can vectorise it.
bool allFinite(const double* values, int count) {
    bool finite = true;
    for (int i = 0; i < count; ++i) {
        finite &= std::isfinite(values[i]);
    }
    return finite;
}

bool hasResponse(const TProjekt& p, const TResult& r, int slot) {
    if (slot == 0) {
        return true;
    }
    return slot - 1 < ChassisCount(p) && AmpOfDriver(r, slot - 1) >= 0;
}

/// Scratch of one slot's calculation, one per thread and kept for its lifetime (the arrays
/// are large and the calculation thread needs them after every speaker job).
struct SlotWork {
    GridCurves grid;
    BinValues bins;
    Spectrum spectrum = makeSpectrum();
    Samples samples = makeSamples();
};

SlotWork& threadSlotWork() {
    thread_local const auto work = std::make_unique<SlotWork>();
    return *work;
}

/// False when the response or an outcome is not finite.
bool computeSlot(const double* freq, int count, int slot, const BinMap& map, SlotWork& work,
                 TResult& r) {
    GridCurves& g = work.grid;
    for (int k = 0; k < count; ++k) {
        g.response[k] = TimeSlotResponse(r, slot, k);
        if (!std::isfinite(g.response[k].Re) || !std::isfinite(g.response[k].Im)) {
            return false;
        }
        g.logMagnitude[k] = std::log(CAbs(g.response[k]) + 1e-50);
    }
    if (!allFinite(g.logMagnitude.data(), count)) {
        return false;
    }
    UnwrapPhase(g.response.data(), freq, count, g.phase.data());
    double* delay = r.GroupDelay[slot].data();
    GroupDelayOf(freq, g.phase.data(), count, delay);
    interpolateBins(map, g, delay, count, work.bins);
    fillSpectrum(work.bins, work.spectrum.get());
    fftw_execute_dft_c2r(inversePlan(), work.spectrum.get(), work.samples.get());
    storeTimeCurves(work.samples.get(), r.Impulse[slot], r.Step[slot]);
    return allFinite(delay, count) && allFinite(r.Impulse[slot].data(), TimeSamples) &&
           allFinite(r.Step[slot].data(), TimeSamples);
}

void clearSlot(TResult& r, int slot) {
    r.HasTime[slot] = false;
    r.GroupDelay[slot].fill(0.0);
    r.Impulse[slot].fill(0.0);
    r.Step[slot].fill(0.0);
}

} // namespace

TComplex TimeSlotResponse(const TResult& r, int slot, int k) {
    if (slot == 0) {
        return r.SpeakerDir[k][0];
    }
    return CAdd(r.DirFront[slot - 1][k][0], r.DirRear[slot - 1][k][0]);
}

void UnwrapPhase(const TComplex* response, const double* freq, int count, double* phase) {
    double lastSlope = 0.0;    // rad per Hz over the last interval
    double earlierSlope = 0.0; // ... and over the one before
    for (int k = 0; k < count; ++k) {
        const double raw = std::atan2(response[k].Im, response[k].Re);
        if (k == 0) {
            phase[0] = raw;
            continue;
        }
        const double df = freq[k] - freq[k - 1];
        const double slope =
            std::abs(lastSlope) < std::abs(earlierSlope) ? lastSlope : earlierSlope;
        const double predicted = phase[k - 1] + slope * df;
        phase[k] = raw + 2 * Pi * std::round((predicted - raw) / (2 * Pi));
        if (df > 0) {
            earlierSlope = lastSlope;
            lastSlope = (phase[k] - phase[k - 1]) / df;
        }
    }
}

void GroupDelayOf(const double* freq, const double* phase, int count, double* delay) {
    for (int k = 0; k < count; ++k) {
        const int lo = std::max(k - 1, 0);
        const int hi = std::min(k + 1, count - 1);
        const double span = std::log(freq[hi] / freq[lo]);
        const double omega = 2 * Pi * freq[k];
        delay[k] = span > 0 && omega > 0 ? -(phase[hi] - phase[lo]) / span / omega : 0.0;
    }
}

TimeSlotMask RunTimeCurves(const TProjekt& p, TResult& r, const DriverMask* recompute) {
    int count = 0;
    while (count < GridSize - 1 && p.f[count] > 0) {
        ++count;
    }
    // The slots to compute: the whole speaker, and each driver whose response may have changed.
    // A slot without a response is cleared once; one with HasTime false is all zeros already.
    std::array<int, TimeSlots> todo{};
    int todoCount = 0;
    TimeSlotMask written{};
    for (int slot = 0; slot < TimeSlots; ++slot) {
        if (count < 2 || !hasResponse(p, r, slot)) {
            if (r.HasTime[slot]) {
                clearSlot(r, slot);
                written[slot] = true;
            }
        } else if (slot == 0 || recompute == nullptr || (*recompute)[slot - 1] ||
                   !r.HasTime[slot]) {
            todo[todoCount++] = slot;
            written[slot] = true;
        }
    }
    const BinMap& map = binMapOf(p.f, count);
    // Each slot writes only its own arrays of the results; one slot is worth a wake-up.
    constexpr int SlotsWorthSharing = 2;
    ShareWithHelperThread(
        todoCount, 1,
        [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                const int slot = todo[i];
                if (computeSlot(p.f.data(), count, slot, map, threadSlotWork(), r)) {
                    r.HasTime[slot] = true;
                    std::fill(r.GroupDelay[slot].begin() + count, r.GroupDelay[slot].end(), 0.0);
                } else {
                    clearSlot(r, slot);
                }
            }
        },
        SlotsWorthSharing);
    return written;
}

} // namespace tavrel
