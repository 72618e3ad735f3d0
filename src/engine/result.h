// TResult: every computed response of a project on the calculation grid and in time (about
// 16 MB, so it always lives on the heap), and TCalcStruct, the state text of each of the 32
// jobs.
#pragma once

#include "foundation/complex.h"
#include "foundation/fixed_string.h"
#include "model/projekt.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace tavrel {

constexpr int Directions = 30;
/// Samples of each impulse and step response, and slots: 0 the whole speaker, d + 1 driver d.
/// 96 kHz keeps the octave above a 20 kHz grid below half the sample rate; 32768 samples
/// (341 ms) let a bass response decay. A quarter of them lies before t = 0, so a response
/// that leads (a driver in front of the others) is not wrapped around to the end.
constexpr int TimeSamples = 32768;
constexpr int TimeSlots = 1 + MaxChassis;
using TimeSlotMask = std::array<bool, TimeSlots>;
constexpr double TimeSampleRate = 96000.0;
constexpr int TimeLeadSamples = TimeSamples / 4;
/// Sample i of every impulse and step response lies at TimeStart + i / TimeSampleRate seconds.
constexpr double TimeStart = -TimeLeadSamples / TimeSampleRate;

using Curve = std::array<TComplex, GridSize>;
using RealCurve = std::array<double, GridSize>;
/// Frequency-major: 30 directions per grid frequency; direction 0 is on axis.
using TimeCurve = std::array<double, TimeSamples>;
using Directional = std::array<std::array<TComplex, Directions>, GridSize>;

struct TResult {
    bool Valid = false;
    FixedString<64> Comment1, Comment2;
    RealCurve Freq{};
    std::int32_t nFreq = 0;
    std::int32_t nAmps = 0, nChassis = 0;
    std::array<FixedString<22>, ChassisSlots> ChassisName{};
    std::array<std::int32_t, ChassisSlots> AmpOfChassis{};
    std::array<std::int32_t, ChassisSlots> EinbauTyp{};
    std::array<Curve, MaxAmps> AktFilterH{};
    std::array<Directional, ChassisSlots> BaffleFront{}, BaffleRear{};
    std::array<Curve, ChassisSlots> ChassisZ{};
    std::array<Curve, ChassisSlots> PFrontBlend{}, PRearBlend{};
    std::array<Curve, ChassisSlots> PFrontModel{}, PRearModel{};
    std::array<Curve, ChassisSlots> PCone{}; ///< the diaphragm's output (model), as PFront
    std::array<Curve, ChassisSlots> ChassisU{};
    std::array<Directional, ChassisSlots> DirFront{}, DirRear{};
    std::array<Curve, MaxAmps> AmpZ{};
    Directional SpeakerDir{};
    Curve SumTiltPlus{}, SumTiltMinus{};
    std::array<RealCurve, ChassisSlots> UmaxChassis{};
    RealCurve Umax{};
    std::array<RealCurve, 10> UmaxExcursion{};
    std::array<RealCurve, ChassisSlots> PmaxChassis{};
    RealCurve PmaxSpeaker{};
    std::array<RealCurve, ChassisSlots> XFig{};
    RealCurve Directivity{};

    // Time domain of the on-axis responses, written after the speaker job (slots as for
    // TimeSlots). A slot without a finite response (a driver without amplifier) has HasTime
    // false and zeros. Sample i of Impulse and Step lies at TimeStart + i / TimeSampleRate.
    std::array<bool, TimeSlots> HasTime{};
    std::array<RealCurve, TimeSlots> GroupDelay{}; ///< −dφ/dω on the grid, seconds
    std::array<TimeCurve, TimeSlots> Impulse{};    ///< 1/s: its transform is the pressure
    std::array<TimeCurve, TimeSlots> Step{};       ///< running integral of Impulse

    bool operator==(const TResult&) const = default;

    // Results come from calloc (foundation/zeroed_memory.h) and go back to free, copies
    // included.
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;
};

/// The amplifier (0-based) that drives driver slot d, or -1 when none does or d is no slot.
inline int AmpOfDriver(const TResult& result, int d) {
    if (d < 0 || d >= ChassisSlots) {
        return -1;
    }
    const int amp = result.AmpOfChassis[d];
    return amp >= 0 && amp < MaxAmps ? amp : -1;
}

/// A zeroed result on the heap (a TResult never lives on a stack). All-zero bytes are a
/// default TResult, and an aggregate comes to life in calloc's memory, so the 16 MB are not
/// written here: the pages nobody writes later are never touched.
std::unique_ptr<TResult> MakeResult();

static_assert(std::is_trivially_copyable_v<TResult>);

/// The same, for results that are handed over and shared.
inline std::shared_ptr<TResult> MakeSharedResult() {
    return MakeResult();
}

/// Job state texts: "F" pending, "Ok" done, anything longer is the job's error text.
struct TCalcStruct {
    std::string Check = "F";
    std::array<std::string, ChassisSlots> Baffle{"F", "F", "F", "F", "F", "F", "F", "F", "F"};
    std::array<std::string, MaxAmps> AktFilter{"F", "F", "F", "F", "F", "F"};
    std::array<std::string, ChassisSlots> Chassis{"F", "F", "F", "F", "F", "F", "F", "F", "F"};
    std::array<std::string, MaxAmps> Weiche{"F", "F", "F", "F", "F", "F"};
    std::string Speaker = "F";

    bool operator==(const TCalcStruct&) const = default;
};

} // namespace tavrel
