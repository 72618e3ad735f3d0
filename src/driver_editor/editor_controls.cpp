#include "driver_editor/editor_controls.h"

#include <algorithm>

namespace tavrel {

namespace {

template <typename Map>
auto valueOr(const Map& map, std::string_view name, typename Map::mapped_type fallback) {
    const auto found = map.find(name);
    return found == map.end() ? fallback : found->second;
}

} // namespace

EditorControls FillControls(DriverRecords& records) {
    EditorControls controls;
    for (const NumberField& field : NumberFields()) {
        controls.texts[field.name] = FieldText(field, records);
    }
    for (const TextField& field : TextFields()) {
        controls.texts[field.name] = field.get(records);
    }
    for (const CheckField& field : CheckFields()) {
        controls.checks[field.name] = *field.value(records);
    }
    for (const ListField& field : ListFields()) {
        controls.lists[field.name] = ListIndex(field, records);
    }
    controls.typ = records.einbau.Typ;
    for (std::size_t i = 0; i < DampingFields().size(); ++i) {
        controls.damping[i] = std::clamp<int>(records.einbau.*DampingFields()[i].value, 0, 4);
    }
    for (std::size_t t = 0; t < MeasuredTables().size(); ++t) {
        controls.tables[t] = MeasuredTableRows(MeasuredTables()[t], records.chassis);
    }
    return controls;
}

void ApplyControls(const EditorControls& shown, const EditorControls& filled,
                   DriverRecords& records) {
    for (const NumberField& field : NumberFields()) {
        const std::string text = valueOr(shown.texts, field.name, "");
        if (text != valueOr(filled.texts, field.name, "")) {
            ApplyFieldText(field, text, records);
        }
    }
    for (const TextField& field : TextFields()) {
        field.set(records, valueOr(shown.texts, field.name, field.get(records)));
    }
    for (const CheckField& field : CheckFields()) {
        *field.value(records) = valueOr(shown.checks, field.name, *field.value(records));
    }
    // Lists and sliders clamp what they show; an untouched one keeps an odd stored value.
    for (const ListField& field : ListFields()) {
        const int index = valueOr(shown.lists, field.name, 0);
        if (index != valueOr(filled.lists, field.name, 0)) {
            ApplyListIndex(field, index, records);
        }
    }
    records.einbau.Typ = shown.typ;
    for (std::size_t i = 0; i < DampingFields().size(); ++i) {
        if (shown.damping[i] != filled.damping[i]) {
            records.einbau.*DampingFields()[i].value = static_cast<std::int8_t>(shown.damping[i]);
        }
    }
    for (std::size_t t = 0; t < MeasuredTables().size(); ++t) {
        if (shown.tables[t] != filled.tables[t]) {
            ApplyMeasuredTableRows(MeasuredTables()[t], shown.tables[t], records.chassis);
        }
    }
}

} // namespace tavrel
