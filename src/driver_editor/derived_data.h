// Texts the driver editor shows about a driver: the derived data of the driver model, one
// line per value, and the hint windows for the volume increase factor and the air load.
#pragma once

#include "model/chassis.h"
#include "model/einbau.h"

#include <string>
#include <vector>

namespace tavrel {

/// One line per derived value ("Qts = 0,345"); "Qts = ?" when the Thiele-Small data are
/// missing or the value is not a number. `chassis` holds the result of CalcDerived.
std::vector<std::string> DerivedDataLines(const TChassis& chassis);

/// "fp = 24,5 Hz   fb = 30,1 Hz" for a passive radiator enclosure (`chassis` holds the
/// result of CalcDerived, hence the acoustic volume); "fp = ?   fb = ?" when the data do not
/// allow it; empty for other enclosures.
std::string RadiatorTuningText(const TChassis& chassis, const TEinbau& einbau);

/// Title and text of the hint beside the volume increase factor.
inline constexpr const char* VolumeHintTitle = "volume increase factor";
std::string VolumeHintText();

/// Title and text of the hint beside the air-load fields, with mb computed for little and
/// for much absorption material in the current enclosure.
inline constexpr const char* MassHintTitle = "mb and fmb";
std::string MassHintText(const TChassis& chassis, const TEinbau& einbau);

} // namespace tavrel
