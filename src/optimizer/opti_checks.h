// What must hold before an optimizer run starts: parts marked for optimizing, and drivers
// whose excursion and power data the judgement can use.
#pragma once

#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Marked resistors, capacitors and inductances in the project's amplifiers.
int CountMarkedParts(const TProjekt& project);

/// Marks every resistor, or every resistor, capacitor and inductance, of the project's
/// amplifiers for optimizing.
void MarkParts(TProjekt& project, bool allParts);

/// Empty when every driver of the project has Sd, xlin and Pmax above 0; otherwise the
/// message for the lowest-numbered driver that has not ("\r" separates its two lines).
std::string DriverDataProblem(const TProjekt& project);

} // namespace tavrel
