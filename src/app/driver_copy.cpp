#include "app/driver_copy.h"

#include <utility>

namespace tavrel {

void CopyDriverSlot(TProjekt& projekt, int source, int target, DriverCopyOptions options) {
    if (source == target) {
        return;
    }
    projekt.Chassis[target] = projekt.Chassis[source];
    projekt.Schallwand[target].d = projekt.Schallwand[source].d;
    if (options.enclosure) {
        projekt.Einbau[target] = projekt.Einbau[source];
    }
    if (options.baffle) {
        projekt.Schallwand[target] = projekt.Schallwand[source];
    }
}

void ExchangeDriverSlots(TProjekt& projekt, int source, int target, DriverCopyOptions options) {
    if (source == target) {
        return;
    }
    std::swap(projekt.Chassis[source], projekt.Chassis[target]);
    if (options.enclosure) {
        std::swap(projekt.Einbau[source], projekt.Einbau[target]);
    }
    if (options.baffle) {
        std::swap(projekt.Schallwand[source], projekt.Schallwand[target]);
    }
}

std::string DriverSlotText(const TProjekt& projekt, int slot) {
    return std::to_string(slot + 1) + ": " + projekt.Chassis[slot].Name.str();
}

} // namespace tavrel
