// The driver editor's fields: which record value each control shows, on which page, under
// which caption and with which display scaling (litres for m³, mm for m, ...). Filling a
// control and reading it back both go through these tables, so the window and the tests
// use one definition of every scaling.
#pragma once

#include "model/chassis.h"
#include "model/einbau.h"
#include "model/schallwand.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

/// The editor's private copies of one driver slot's three records.
struct DriverRecords {
    TChassis chassis;
    TEinbau einbau;
    TSchallwand baffle;
    bool operator==(const DriverRecords&) const = default;
};

enum class EditorPage { Driver, Enclosure, Baffle, More };

/// A number shown as FloatToWidth(width, value · scale) and read back as TextToFloat / scale.
/// A whole count has `count` instead of `value`; it is read back rounded.
struct NumberField {
    const char* name; ///< objectName of the control
    EditorPage page;
    const char* caption;
    double scale;
    int width;
    double* (*value)(DriverRecords&);
    std::int32_t* (*count)(DriverRecords&) = nullptr;
};

/// A text kept to the capacity of its record field.
struct TextField {
    const char* name;
    EditorPage page;
    const char* caption;
    std::string (*get)(const DriverRecords&);
    void (*set)(DriverRecords&, std::string_view);
};

struct CheckField {
    const char* name;
    EditorPage page;
    const char* caption;
    bool* (*value)(DriverRecords&);
};

/// A list whose item number is the record value minus `offset`.
struct ListField {
    const char* name;
    EditorPage page;
    const char* caption;
    std::vector<const char*> items;
    int offset;
    int (*get)(const DriverRecords&);
    void (*set)(DriverRecords&, int);
};

std::span<const NumberField> NumberFields();
std::span<const TextField> TextFields();
std::span<const CheckField> CheckFields();
std::span<const ListField> ListFields();

const NumberField* FindNumberField(std::string_view name);

std::string FieldText(const NumberField& field, DriverRecords& records);
void ApplyFieldText(const NumberField& field, std::string_view text, DriverRecords& records);
int ListIndex(const ListField& field, const DriverRecords& records);
void ApplyListIndex(const ListField& field, int index, DriverRecords& records);

/// Enclosure types in the order of the radio buttons, with their captions.
struct EnclosureChoice {
    std::int32_t typ;
    const char* caption;
};
std::span<const EnclosureChoice> EnclosureChoices();

/// The damping sliders (0 "no wool" .. 4 "stuffed").
struct DampingField {
    const char* name;
    const char* caption;
    std::int8_t TEinbau::*value;
};
std::span<const DampingField> DampingFields();

/// One of the four measured-response tables.
struct MeasuredTable {
    const char* name;
    const char* caption;
    const char* valueCaption;
    MeasuredArray TChassis::*frequencies;
    MeasuredArray TChassis::*values;
    bool phase; ///< shown in degrees, stored in radians
};
std::span<const MeasuredTable> MeasuredTables();

constexpr int MeasuredTableRowCount = 600;
using TableRow = std::array<std::string, 2>;

/// The rows a table shows: points while their frequency lies between 0.001 Hz and 10⁶ Hz.
std::vector<TableRow> MeasuredTableRows(const MeasuredTable& table, const TChassis& chassis);
/// Reads all rows back (missing rows and empty cells are 0, which ends the response).
void ApplyMeasuredTableRows(const MeasuredTable& table, const std::vector<TableRow>& rows,
                            TChassis& chassis);

} // namespace tavrel
