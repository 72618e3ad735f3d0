// The driver editor's commands apart from the window: what "Ok" computes, the closing check,
// the level change, the names and baffle rules of driver files, and the texts of the voice
// coil fit's question.
#pragma once

#include "driver_editor/driver_fields.h"

#include <string>
#include <string_view>

namespace tavrel {

inline constexpr const char* FsQuestion = "Error: fs<0";
inline constexpr const char* FsQuestionButtons = "change now|go ahead with it";
inline constexpr const char* DriverLoadedMessage =
    "Driver has been loaded.\rAcoustic diameter on baffle and\rshape of diaphragm.";
inline constexpr const char* MeasurementPlaceMessage =
    "If KELMORA drivers have been loaded, it does not make sense to modify the place of "
    "measurement.\r\nIn this case it is recommended to reload the driver file";

/// "Driver 3 Edit" for slot 2.
std::string DriverEditUndoText(int slot);
/// Estimates the enclosure losses and recomputes the derived driver data, as "Ok" does.
void RefreshDerived(DriverRecords& records);
/// A resonance frequency of 0 or less must be confirmed before the editor closes.
bool NeedsFsConfirmation(const TChassis& chassis);
/// Why the enclosure cannot be used as it stands (passive radiator data out of range), or
/// empty: the editor does not close with it.
std::string EnclosureProblem(const TEinbau& einbau);
/// Adds `dB` to every measured sound pressure value.
void ModifyLevel(TChassis& chassis, double dB);
/// The file name a save writes: an ending ".TVC" of any case is replaced by ".TVC", looking
/// through a trailing ".plain".
std::string DriverSaveName(std::string_view chosen);
/// After a driver file was loaded: the baffle's sound output diameter and diaphragm shape
/// follow the driver's piston area and shape.
void AdoptLoadedDriver(DriverRecords& records);
/// "Calculation result:" with the five fitted values and "Adopt values?".
std::string FitQuestionText(const TChassis& fitted);
inline constexpr const char* FitQuestionButtons = " &Yes|&No";
/// Copies Le, Re2, Le2, Re3 and Le3 of the fit into `chassis`.
void AdoptFit(TChassis& chassis, const TChassis& fitted);

} // namespace tavrel
