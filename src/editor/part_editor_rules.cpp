#include "editor/part_editor_rules.h"

#include "foundation/number_text.h"
#include "model/projekt.h"

#include <algorithm>

namespace tavrel {

const char* const PartTypeCaptions[7] = {"no connection", "wire",   "resistor",  "capacitor",
                                         "inductance",    "driver", "amp output"};

namespace {

constexpr std::size_t CommentLength = 16;

/// The factor from the value field's unit to the record's SI unit.
double fieldScale(int typ) {
    switch (typ) {
    case PartCapacitor:
        return 1e-6;
    case PartInductance:
        return 1e-3;
    default:
        return 1.0;
    }
}

bool isValuePart(int typ) {
    return typ >= PartResistor && typ <= PartInductance;
}

} // namespace

PartEditorControls ControlsForType(int typ) {
    PartEditorControls controls;
    if (isValuePart(typ)) {
        controls.value = true;
        controls.comment = true;
        controls.optimize = true;
        controls.rvalue = typ == PartInductance;
        controls.unit = typ == PartResistor    ? "ohm"
                        : typ == PartCapacitor ? "\xB5"
                                                 "F"
                                               : "mH";
    } else if (typ == PartDriver || typ == PartAmpOutput) {
        controls.polarity = true;
        controls.driverList = typ == PartDriver;
    }
    return controls;
}

std::vector<std::string> DriverListEntries(const TProjekt& projekt) {
    std::vector<std::string> entries;
    const int count = std::clamp<int>(projekt.nChassis, 0, MaxChassis);
    for (int d = 0; d < count; ++d) {
        entries.push_back(std::to_string(d + 1) + ": " + projekt.Chassis[d].Name.str());
    }
    return entries;
}

PartEditorFields FieldsForPart(const TWeichePart& part, int driverCount) {
    PartEditorFields fields;
    fields.typ = part.typ;
    fields.rvalue = FloatToWidth(7, part.Rvalue);
    fields.comment = part.bem.str();
    fields.optimize = part.bOpti;
    if (isValuePart(part.typ)) {
        fields.value = FloatToWidth(7, part.value / fieldScale(part.typ));
    } else if (part.typ == PartDriver || part.typ == PartAmpOutput) {
        fields.negPolarity = IsReversed(part);
    }
    // A driver beyond the list (the project lost drivers) selects the last one there is.
    const int wanted = std::min<int>(part.chassisnr, 7);
    fields.driverIndex = driverCount <= 0 ? -1 : std::clamp(wanted, 0, driverCount - 1);
    return fields;
}

TWeichePart PartFromFields(const TWeichePart& original, const PartEditorFields& fields) {
    TWeichePart part = original;
    part.typ = static_cast<std::int16_t>(fields.typ);
    part.verpolt = fields.negPolarity ? 1 : -1;
    part.Rvalue = 0.0;
    if (isValuePart(fields.typ)) {
        part.value = TextToFloat(fields.value) * fieldScale(fields.typ);
        if (fields.typ == PartInductance) {
            part.Rvalue = TextToFloat(fields.rvalue);
        }
        part.bem = std::string_view(fields.comment).substr(0, CommentLength);
    } else {
        part.value = TextToFloat(fields.value);
    }
    part.bOpti = isValuePart(fields.typ) && fields.optimize;
    part.chassisnr = static_cast<std::int16_t>(fields.driverIndex);
    return part;
}

std::string LibraryValueText(double value) {
    return FloatToWidth(6, value);
}

} // namespace tavrel
