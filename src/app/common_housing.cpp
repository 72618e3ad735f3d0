#include "app/common_housing.h"

#include <tuple>

namespace tavrel {

namespace {

struct SideSize {
    double b, h;       ///< width and height of the side's baffle
    double e, f, g, i; ///< its chamfers left, right, top, bottom
};

/// A side's baffle: only the front gets all four chamfers; the other sides get the chamfer of
/// the edge they share with the front.
SideSize sideSize(const TGemGeh& box, int direction) {
    switch (direction) {
    case 0:
        return {box.b, box.h, box.fasl, box.fasr, box.faso, box.fasu};
    case 1:
        return {box.b, box.h, 0, 0, 0, 0};
    case 2:
        return {box.t, box.h, 0, box.fasl, 0, 0};
    case 3:
        return {box.t, box.h, box.fasr, 0, 0, 0};
    case 4:
        return {box.b, box.t, 0, 0, 0, box.faso};
    default:
        return {box.b, box.t, 0, 0, box.fasu, 0};
    }
}

/// (a, c) on side `direction` of the point `p`: the inverse of PointOnSide.
std::pair<double, double> sidePosition(const TGemGeh& box, int direction, HousingPoint p) {
    switch (direction) {
    case 0:
        return {p.vert + box.h / 2, p.hor + box.b / 2};
    case 1:
        return {p.vert + box.h / 2, box.b / 2 - p.hor};
    case 2:
        return {p.vert + box.h / 2, p.stra + box.t};
    case 3:
        return {p.vert + box.h / 2, -p.stra};
    case 4:
        return {-p.stra, p.hor + box.b / 2};
    case 5:
        return {p.stra + box.t, p.hor + box.b / 2};
    default:
        return {0, 0};
    }
}

bool validDirection(int direction) {
    return direction >= 0 && direction <= 5;
}

} // namespace

HousingPoint PointOnSide(const TGemGeh& box, int direction, double a, double c) {
    switch (direction) {
    case 0:
        return {c - box.b / 2, a - box.h / 2, 0};
    case 1:
        return {box.b / 2 - c, a - box.h / 2, -box.t};
    case 2:
        return {-box.b / 2, a - box.h / 2, c - box.t};
    case 3:
        return {box.b / 2, a - box.h / 2, -c};
    case 4:
        return {c - box.b / 2, box.h / 2, -a};
    default:
        return {c - box.b / 2, -box.h / 2, a - box.t};
    }
}

int VentDirection(int direction, int directionr) {
    // The sides come in opposite pairs: front/back, left/right, top/bottom.
    return directionr == 1 ? direction ^ 1 : direction;
}

HousingPlace HousingPlaceOf(const TSchallwand& baffle, const TGemGeh& box) {
    HousingPlace place;
    place.use = baffle.usegemgeh;
    place.direction = validDirection(baffle.direction) ? baffle.direction : 0;
    place.directionr = baffle.directionr == 1 ? 1 : 0;
    std::tie(place.a, place.c) =
        sidePosition(box, place.direction, {baffle.hor, baffle.vert, baffle.stra});
    std::tie(place.ar, place.cr) =
        sidePosition(box, VentDirection(place.direction, place.directionr),
                     {baffle.horr, baffle.vertr, baffle.strar});
    return place;
}

void ApplyHousingPlace(TSchallwand& baffle, const TGemGeh& box, const HousingPlace& place) {
    if (!place.use) {
        baffle.usegemgeh = false;
        return;
    }
    baffle.beugl = baffle.beugr = baffle.beugo = baffle.beugu = true;
    baffle.usegemgeh = true;
    baffle.direction = static_cast<std::int8_t>(place.direction);
    baffle.directionr = static_cast<std::int8_t>(place.directionr);
    if (!validDirection(place.direction)) {
        return;
    }
    const SideSize side = sideSize(box, place.direction);
    baffle.b = side.b;
    baffle.h = side.h;
    baffle.e = side.e;
    baffle.f = side.f;
    baffle.g = side.g;
    baffle.i = side.i;
    baffle.a = place.a;
    baffle.c = place.c;
    const HousingPoint driver = PointOnSide(box, place.direction, place.a, place.c);
    baffle.hor = driver.hor;
    baffle.vert = driver.vert;
    baffle.stra = driver.stra;
    const HousingPoint vent =
        PointOnSide(box, VentDirection(place.direction, place.directionr), place.ar, place.cr);
    baffle.horr = vent.hor;
    baffle.vertr = vent.vert;
    baffle.strar = vent.stra;
}

void ApplyCommonHousing(TProjekt& projekt, const TGemGeh& box,
                        const std::array<HousingPlace, MaxChassis>& places) {
    projekt.GemGeh = box;
    for (std::size_t d = 0; d < places.size(); ++d) {
        ApplyHousingPlace(projekt.Schallwand[d], box, places[d]);
    }
}

} // namespace tavrel
