// Copying one driver slot onto another or swapping two, optionally with the slot's enclosure
// and baffle data; the dialog works on a copy of the project with these.
#pragma once

#include "model/projekt.h"

#include <string>

namespace tavrel {

struct DriverCopyOptions {
    bool enclosure = false; ///< "incl. enclosure data"
    bool baffle = false;    ///< "incl. baffle data"
};

/// Slot `target` := slot `source` (0-based); the baffle's diameter `d` always goes with the
/// driver, the rest of the baffle and the enclosure only when chosen.
void CopyDriverSlot(TProjekt& projekt, int source, int target, DriverCopyOptions options);

/// Swaps the drivers of two slots, and their enclosures and whole baffles when chosen.
void ExchangeDriverSlots(TProjekt& projekt, int source, int target, DriverCopyOptions options);

/// "3: name" for the slot choices.
std::string DriverSlotText(const TProjekt& projekt, int slot);

} // namespace tavrel
