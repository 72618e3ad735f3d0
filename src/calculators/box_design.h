// The sealed / vented enclosure page: a sealed box for a wanted Qtc, a vented box from the
// driver's Thiele-Small data, and the behaviour of a vented box of another volume. The fields
// hold the texts the user typed; the results are the lines of the page's three lists.
#pragma once

#include "calculators/result_lines.h"

#include <string>
#include <string_view>

namespace tavrel {

struct BoxInputs {
    std::string fs = "35";
    std::string Qts = "0.4";
    bool CheckBoxQesmsda = false; ///< Qts is formed from Qes and Qms
    std::string Qes = "0.5";
    std::string Qms = "2";
    bool CheckBoxRv = false; ///< a series resistor raises the driver's total Q
    std::string Rdc = "6";
    std::string Rv = "1.0";
    std::string Vas = "80"; ///< litres
    std::string QtcWunsch = "0.7";
    std::string AltVab; ///< litres; empty until the user asks for another volume
};

/// Qts = Qes·Qms/(Qes + Qms) with width 6, or empty text when Qes·Qms is not positive.
std::string QtsFromQesQms(std::string_view qes, std::string_view qms);

/// True when "Consider Preresistor" is checked but Rdc is not positive: the page unchecks the
/// box and the designs use the plain Qts.
bool PreresistorUnusable(const BoxInputs& in);

/// Qts raised by the preresistor: (Rv + Rdc)·Qts/Rdc, or Qts without a usable preresistor.
double EffectiveQts(const BoxInputs& in);

/// Volume and in-box resonance for the wanted Qtc (list "Design of sealed box").
Lines SealedDesign(const BoxInputs& in);
/// Volume, cut-off and tuning frequency of the classic vented alignment.
Lines VentedDesign(const BoxInputs& in);
/// Cut-off, tuning and ripple of a vented box of volume AltVab.
Lines AlternativeDesign(const BoxInputs& in);

} // namespace tavrel
