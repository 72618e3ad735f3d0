// Re-indexing of the direction set for turned drivers, the baffles of the measurement
// conditions, and the calculation thread's baffle job.
#include "engine/baffle.h"

#include <array>
#include <exception>

namespace tavrel {
namespace {

using DirectionMap = std::array<int, Directions>;

// new[k] = old[map[k]]: where each direction of the turned driver looks in its own frame.
constexpr DirectionMap TurnLeftMap{12, 28, 8,  27, 16, 29, 4,  26, 20, 9, 0, 11, 21, 22, 2,
                                   25, 18, 23, 6,  24, 14, 10, 5,  1,  3, 7, 15, 19, 17, 13};
constexpr DirectionMap TurnUpMap{11, 7,  25, 15, 26, 3,  24, 19, 27, 0,  10, 21, 12, 1, 23,
                                 17, 28, 5,  22, 13, 29, 9,  2,  6,  14, 18, 20, 16, 8, 4};
constexpr DirectionMap MirrorMap{21, 17, 18, 19, 20, 13, 14, 15, 16, 9,  10, 11, 12, 5,  6,
                                 7,  8,  1,  2,  3,  4,  0,  22, 23, 24, 25, 26, 27, 28, 29};

void Reindex(Directional& R, const Grid& freq, const DirectionMap& map) {
    for (int i = 0; i < GridSize && freq[i] > 0; ++i) {
        const auto old = R[i];
        for (int k = 0; k < Directions; ++k) {
            R[i][k] = old[map[k]];
        }
    }
}

void SetAllEdges(TSchallwand& baffle, bool diffracts) {
    baffle.beugl = baffle.beugr = baffle.beugo = baffle.beugu = diffracts;
}

/// Both sides of the old test enclosure: no side chamfers, the same bottom and driver height.
void SetOldTestEnclosure(TSchallwand& baffle, double top, double width, double centre) {
    baffle.direction = 0;
    SetAllEdges(baffle, true);
    baffle.e = 0;
    baffle.f = 0;
    baffle.g = top;
    baffle.i = 0.67165;
    baffle.a = baffle.i + 0.25 + 0.03;
    baffle.b = width;
    baffle.c = centre;
    baffle.h = 0.5 + baffle.i + baffle.g;
}

} // namespace

void TurnLeft(Directional& R, const Grid& freq) {
    Reindex(R, freq, TurnLeftMap);
}

void TurnUp(Directional& R, const Grid& freq) {
    Reindex(R, freq, TurnUpMap);
}

void MirrorFrontBack(Directional& R, const Grid& freq) {
    Reindex(R, freq, MirrorMap);
}

void SetMeasurementBaffle(TSchallwand& baffle, int condition) {
    switch (condition) {
    case 1: // infinite baffle
        SetAllEdges(baffle, false);
        baffle.direction = 0;
        break;
    case 2: // DIN baffle
        baffle.direction = 0;
        SetAllEdges(baffle, true);
        baffle.e = baffle.f = baffle.g = baffle.i = 0.01;
        baffle.a = 0.766;
        baffle.b = 1.775;
        baffle.c = 0.654;
        baffle.h = 2.266;
        break;
    case 3:
        baffle.direction = -2;
        break;
    case 4:
        baffle.direction = -3;
        break;
    case 6:
        SetOldTestEnclosure(baffle, 0.166, 0.255, 0.1275);
        break;
    case 7:
        SetOldTestEnclosure(baffle, 0.166145, 0.52, 0.26);
        break;
    default: // 5: measured in the simulated box itself
        break;
    }
}

std::string RunBaffleJob(const TProjekt& working, int d, TResult& result) {
    const std::string prefix = "Error: driver " + std::to_string(d + 1) + ": ";
    if (d < 0 || d >= ChassisSlots) {
        return prefix + "no such driver slot.";
    }
    std::string status;
    try {
        const TSchallwand& baffle = working.Schallwand[d];
        Directional& front = result.BaffleFront[d];
        CalcBaffle(front, baffle, working.f, working.Chassis[d].seo, status);
        Directional& rear = result.BaffleRear[d];
        rear = front;
        if (baffle.directionr == 1) {
            MirrorFrontBack(rear, working.f);
        }
    } catch (const std::exception& e) {
        status = e.what();
    } catch (...) {
        status = "Unknown error.";
    }
    if (status.size() > 2) {
        status = prefix + status;
    }
    return status;
}

} // namespace tavrel
