// The common outer housing: one box (height H, width B, depth T and the four chamfers of its
// front baffle) on whose sides the drivers sit. A driver's place is given as its side and its
// position a (up from the lower edge) and c (from the left edge) on that side seen from outside;
// these convert into the driver's baffle record and its position in housing coordinates (origin
// in the middle of the front baffle, hor to the listener's right, vert up, stra towards the
// listener, so the rear panel lies at −T). All lengths in metres.
#pragma once

#include "model/projekt.h"

#include <array>

namespace tavrel {

/// The sides a driver may radiate from, in the order of the "Beam direction" choices.
inline constexpr std::array<const char*, 6> HousingDirections{"to listener",    "to back side",
                                                              "to the left",    "to the right",
                                                              "to the ceiling", "to the bottom"};
inline constexpr std::array<const char*, 2> VentSides{"same side as driver",
                                                      "opposite side as driver"};

/// One driver's entries in the housing dialog.
struct HousingPlace {
    bool use = false;      ///< takes part in the common housing
    int direction = 0;     ///< 0..5, see HousingDirections
    int directionr = 0;    ///< vent on the same side (0) or on the opposite side (1)
    double a = 0, c = 0;   ///< driver position on its side
    double ar = 0, cr = 0; ///< vent position on its side
    bool operator==(const HousingPlace&) const = default;
};

struct HousingPoint {
    double hor = 0, vert = 0, stra = 0;
    bool operator==(const HousingPoint&) const = default;
};

/// The point at (a, c) on side `direction` (0..5) in housing coordinates.
HousingPoint PointOnSide(const TGemGeh& box, int direction, double a, double c);

/// The side a vent radiates from: its driver's side, or the one opposite.
int VentDirection(int direction, int directionr);

/// The dialog's entries for a driver, computed back from its stored baffle record.
HousingPlace HousingPlaceOf(const TSchallwand& baffle, const TGemGeh& box);

/// Writes a driver's place into its baffle record. An unused place only clears `usegemgeh`;
/// a side outside 0..5 sets the flags and choices and leaves the rest untouched.
void ApplyHousingPlace(TSchallwand& baffle, const TGemGeh& box, const HousingPlace& place);

/// Stores the housing and converts drivers 1 to 8 (what OK of the housing dialog does).
void ApplyCommonHousing(TProjekt& projekt, const TGemGeh& box,
                        const std::array<HousingPlace, MaxChassis>& places);

} // namespace tavrel
