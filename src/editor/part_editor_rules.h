// The rules of the part editor without its window: which controls each part type shows, what
// the fields show for a slot, and the slot the fields make when the editor is left with OK.
#pragma once

#include "model/weiche.h"

#include <string>
#include <vector>

namespace tavrel {

struct TProjekt;

extern const char* const PartTypeCaptions[7];

struct PartEditorControls {
    bool value = false;    ///< value field with its unit label
    const char* unit = ""; ///< "ohm", "µF" (store text) or "mH"
    bool rvalue = false;   ///< series resistance of an inductance
    bool comment = false;
    bool polarity = false; ///< "neg. polarity"
    bool driverList = false;
    bool optimize = false; ///< "optimize part"
};

PartEditorControls ControlsForType(int typ);

/// What the part editor's controls hold. Texts are store text.
struct PartEditorFields {
    int typ = 0;
    std::string value;
    std::string rvalue;
    std::string comment;
    bool optimize = false;
    bool negPolarity = false;
    int driverIndex = -1; ///< selected entry of the driver list, −1 for none
};

/// "1: " + name of driver 1, ... for every driver of the project.
std::vector<std::string> DriverListEntries(const TProjekt& projekt);

/// The fields for a slot, with `driverCount` entries in the driver list.
PartEditorFields FieldsForPart(const TWeichePart& part, int driverCount);

/// The slot the fields make; fields the type does not use keep `original`'s values where the
/// editor keeps them (the comment), the rest take their neutral values.
TWeichePart PartFromFields(const TWeichePart& original, const PartEditorFields& fields);

/// The value field's text for a value in the field's unit (ohm, µF or mH) chosen in the parts
/// library.
std::string LibraryValueText(double value);

} // namespace tavrel
