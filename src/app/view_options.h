// The view options: the curve colours and chart scales a project carries, and their optional
// program-wide copy in the settings file.
#pragma once

#include "foundation/my_ini_file.h"
#include "foundation/settings.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// The five chart scales as typed (frequency axis, level axis, impedance limit).
struct ViewScaleTexts {
    std::string AfMin, AfMax, dBMin, dBMax, ImpMax;
};

/// The scales of `option` with 6 significant digits, for the dialog's fields.
ViewScaleTexts ViewScalesOf(const TOptionBlock& option);

/// Reads the typed scales into `option`: a value that is not positive (or unreadable) becomes
/// its fallback (20 Hz, 20000 Hz, 50 dB, 112 dB, 50 ohm), and reversed ranges are swapped.
void ApplyViewScales(TOptionBlock& option, const ViewScaleTexts& scales);

/// "restore defaults": the built-in colours and the scales 20..20000 Hz, 40..110 dB, 70 ohm.
/// The calculation grid and Par1..Par6 stay.
void RestoreViewDefaults(TOptionBlock& option);

/// Records in the settings file whether `option` applies to every project ("UseOption") and,
/// when it does, stores the block; `settings` follows. The result says why a write failed.
StoreCloseResult StoreProgramWideOptions(TSettings& settings, bool use, const TOptionBlock& option);

} // namespace tavrel
