#include "tolerance/tolerance_draw.h"

#include <array>
#include <boost/random/normal_distribution.hpp>
#include <boost/random/uniform_real_distribution.hpp>
#include <cmath>
#include <random>

namespace tavrel {

namespace {

constexpr std::uint32_t DriverGroup = 1u << 24;
constexpr std::uint32_t RadiatorGroup = 2u << 24;
/// Driver keys keep the stride they had before the radiator kinds, so that the draws of a
/// seed stay what they were.
constexpr int DriverKindCount = static_cast<int>(TolKind::Rdc) + 1;

constexpr TolKind DriverKinds[] = {TolKind::Fs, TolKind::Qes, TolKind::Qms, TolKind::Vas,
                                   TolKind::Rdc};

double& driverValue(TChassis& c, TolKind kind) {
    switch (kind) {
    case TolKind::Fs:
        return c.fs;
    case TolKind::Qes:
        return c.Qes;
    case TolKind::Qms:
        return c.Qms;
    case TolKind::Vas:
        return c.Vas;
    default:
        return c.Re;
    }
}

TolKind kindOfPart(const TWeichePart& part) {
    return part.typ == PartResistor    ? TolKind::Resistor
           : part.typ == PartCapacitor ? TolKind::Capacitor
                                       : TolKind::Inductance;
}

} // namespace

std::uint32_t NetworkPartKey(int amp, int slot, bool seriesR) {
    return static_cast<std::uint32_t>((amp * WeicheSlots + slot) * 2 + (seriesR ? 1 : 0));
}

std::uint32_t DriverKey(int driver, TolKind kind) {
    const int k = static_cast<int>(kind);
    if (k >= DriverKindCount) {
        return RadiatorGroup + static_cast<std::uint32_t>(
                                   driver * (TolKindCount - DriverKindCount) + k - DriverKindCount);
    }
    return DriverGroup + static_cast<std::uint32_t>(driver * DriverKindCount + k);
}

double DrawFactor(std::uint64_t seed, int run, std::uint32_t key, double percent, bool normal) {
    if (percent == 0) {
        return 1.0;
    }
    // seed_seq mixes the four numbers into one 64-bit seed; seeding the generator with that
    // single value costs a fraction of a full seed_seq state fill.
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                           static_cast<std::uint32_t>(run), key};
    std::array<std::uint32_t, 2> mixed{};
    sequence.generate(mixed.begin(), mixed.end());
    std::mt19937_64 generator((static_cast<std::uint64_t>(mixed[0]) << 32) | mixed[1]);
    double x = 0;
    if (normal) {
        boost::random::normal_distribution<double> draw(0.0, 0.5);
        do {
            x = draw(generator);
        } while (std::abs(x) > 1.0);
    } else {
        x = boost::random::uniform_real_distribution<double>(-1.0, 1.0)(generator);
    }
    return 1.0 + x * percent / 100.0;
}

void ApplyTolerances(TProjekt& project, const TTolerances& t, int run) {
    for (int a = 0; a < AmpCount(project); ++a) {
        for (int s = 0; s < WeicheSlots; ++s) {
            TWeichePart& part = project.Amps[a].Weiche[s];
            if (part.typ < PartResistor || part.typ > PartInductance) {
                continue;
            }
            part.value *=
                DrawFactor(t.seed, run, NetworkPartKey(a, s, false), t[kindOfPart(part)], t.normal);
            if (part.typ == PartInductance) {
                part.Rvalue *= DrawFactor(t.seed, run, NetworkPartKey(a, s, true),
                                          t[TolKind::SeriesR], t.normal);
            }
        }
    }
    for (int d = 0; d < ChassisCount(project); ++d) {
        for (TolKind kind : DriverKinds) {
            driverValue(project.Chassis[d], kind) *=
                DrawFactor(t.seed, run, DriverKey(d, kind), t[kind], t.normal);
        }
        TEinbau& e = project.Einbau[d];
        if (e.Typ == EinbauPassiveRadiator) {
            e.PRmadd *= DrawFactor(t.seed, run, DriverKey(d, TolKind::RadiatorMass),
                                   t[TolKind::RadiatorMass], t.normal);
            e.PRQms *= DrawFactor(t.seed, run, DriverKey(d, TolKind::RadiatorQms),
                                  t[TolKind::RadiatorQms], t.normal);
        }
    }
}

} // namespace tavrel
