#include "driver_editor/driver_fields.h"

#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

template <auto M>
double* chassis(DriverRecords& r) {
    return &(r.chassis.*M);
}
template <auto M>
double* einbau(DriverRecords& r) {
    return &(r.einbau.*M);
}
template <auto M>
double* baffle(DriverRecords& r) {
    return &(r.baffle.*M);
}
template <auto M>
bool* chassisFlag(DriverRecords& r) {
    return &(r.chassis.*M);
}
template <auto M>
bool* baffleFlag(DriverRecords& r) {
    return &(r.baffle.*M);
}
template <auto M>
std::string chassisText(const DriverRecords& r) {
    return (r.chassis.*M).str();
}
template <auto M>
void setChassisText(DriverRecords& r, std::string_view text) {
    r.chassis.*M = text;
}

using P = EditorPage;

const NumberField Numbers[] = {
    {"Editfs", P::Driver, "Resonance frequency fs [Hz]", 1, 7, chassis<&TChassis::fs>},
    {"EditQes", P::Driver, "Electrical Q-faktor Qes", 1, 7, chassis<&TChassis::Qes>},
    {"EditQms", P::Driver, "Mechanical Q-factor Qms", 1, 7, chassis<&TChassis::Qms>},
    {"EditVas", P::Driver, "equivalent volume Vas [liter]", 1000, 7, chassis<&TChassis::Vas>},
    {"EditAmem", P::Driver, "Effective piston area [cm2]", 10000, 7, chassis<&TChassis::Amem>},
    {"Editseo", P::Driver, "position of point of sound origin (SEO)\nmm (>0 = behind baffle)", 1000,
     7, chassis<&TChassis::seo>},
    {"Editxlin", P::Driver, "Linear excursion per side [mm]", 1000, 7, chassis<&TChassis::xlin>},
    {"EditRe", P::Driver, "DC resistance Rdc [ohm]", 1, 7, chassis<&TChassis::Re>},
    {"EditLe", P::Driver, "Inductance of voice coil Le [mH]", 1000, 7, chassis<&TChassis::Le>},
    {"EditRe2", P::Driver, "substitution resistor Re2 [ohm]", 1, 7, chassis<&TChassis::Re2>},
    {"EditLe2", P::Driver, "substitution inductance Le2 [mH]", 1000, 7, chassis<&TChassis::Le2>},
    {"EditRe3", P::Driver, "substitution resistor Re3 [ohm]", 1, 7, chassis<&TChassis::Re3>},
    {"EditLe3", P::Driver, "substitution inductance Le3 [mH]", 1000, 7, chassis<&TChassis::Le3>},
    {"Edit_ZNenn", P::Driver, "Nominal impedance [ohm]", 1, 5, chassis<&TChassis::_ZNenn>},
    {"Edit_PMax", P::Driver, "P max [W]", 1, 7, chassis<&TChassis::_PMax>},

    {"EditVb", P::Enclosure, "Volume (geometric) [liter]", 1000, 7, einbau<&TEinbau::Vb>},
    {"Editfb", P::Enclosure, "Tuning frequency fb [Hz]", 1, 7, einbau<&TEinbau::fb>},
    {"EditAport", P::Enclosure, "Port cross-section [cm\xB2]", 10000, 7, einbau<&TEinbau::Aport>},
    {"EditVbf", P::Enclosure, "front side volume Vbf [liter]", 1000, 7, einbau<&TEinbau::Vbf>},
    {"Editfbf", P::Enclosure, "Tuning frequency for front side volume fbf [Hz]", 1, 7,
     einbau<&TEinbau::fbf>},
    {"EditAportf", P::Enclosure, "Front port cross-section [cm\xB2]", 10000, 7,
     einbau<&TEinbau::Aportf>},
    {"EditPRn", P::Enclosure, "Number of passive radiators (1 .. 8)", 1, 7, nullptr,
     [](DriverRecords& r) { return &r.einbau.PRn; }},
    {"EditPRSd", P::Enclosure, "Radiator area Sd [cm\xB2]", 10000, 7, einbau<&TEinbau::PRSd>},
    {"EditPRVas", P::Enclosure, "Radiator Vas [liter]", 1000, 7, einbau<&TEinbau::PRVas>},
    {"EditPRfs", P::Enclosure, "Radiator resonance fs [Hz]", 1, 7, einbau<&TEinbau::PRfs>},
    {"EditPRQms", P::Enclosure, "Radiator Q-factor Qms", 1, 7, einbau<&TEinbau::PRQms>},
    {"EditPRmadd", P::Enclosure, "Added mass per radiator [g]", 1000, 7, einbau<&TEinbau::PRmadd>},
    {"EditPRxmax", P::Enclosure, "Radiator linear excursion per side [mm]", 1000, 7,
     einbau<&TEinbau::PRxmax>},
    {"EditvV", P::Enclosure, "Volume increase factor (1 .. 1.27)", 1, 7, einbau<&TEinbau::vV>},
    {"Editmb", P::Enclosure, "mass increase factor mb (.. 0.85 .. 1.0)", 1, 7,
     einbau<&TEinbau::mb>},
    {"Editfmb", P::Enclosure, "Frequency limit for mb [Hz]", 1, 7, einbau<&TEinbau::fmb>},
    {"EditQl", P::Enclosure, "Q-factor of enclosure", 1, 7, einbau<&TEinbau::Ql>},
    {"EditQb", P::Enclosure, "Q-factor of vented enclosure", 1, 7, einbau<&TEinbau::Qb>},
    {"EditvVf", P::Enclosure, "Volume increase factor for Vbf", 1, 7, einbau<&TEinbau::vVf>},
    {"EditQbf", P::Enclosure, "Q-factor for front side enclosure Qbf", 1, 7, einbau<&TEinbau::Qbf>},
    {"EditQk", P::Enclosure, "Q-factor due to losses in port", 1, 7, einbau<&TEinbau::Qk>},
    {"EditQkf", P::Enclosure, "Q-factor due to losses in front side port", 1, 7,
     einbau<&TEinbau::Qkf>},

    {"Edita", P::Baffle, "a [cm]", 100, 7, baffle<&TSchallwand::a>},
    {"Editb", P::Baffle, "b [cm]", 100, 7, baffle<&TSchallwand::b>},
    {"Editc", P::Baffle, "c [cm]", 100, 7, baffle<&TSchallwand::c>},
    {"Edite", P::Baffle, "e [cm]", 100, 7, baffle<&TSchallwand::e>},
    {"Editf", P::Baffle, "f [cm]", 100, 7, baffle<&TSchallwand::f>},
    {"Editg", P::Baffle, "g [cm]", 100, 7, baffle<&TSchallwand::g>},
    {"Edith", P::Baffle, "h [cm]", 100, 7, baffle<&TSchallwand::h>},
    {"Editi", P::Baffle, "i [cm]", 100, 7, baffle<&TSchallwand::i>},
    {"Editvert", P::Baffle, "vertical [cm]", 100, 7, baffle<&TSchallwand::vert>},
    {"Edithor", P::Baffle, "horizontal [cm]", 100, 7, baffle<&TSchallwand::hor>},
    {"Editstra", P::Baffle, "to listener [cm]", 100, 7, baffle<&TSchallwand::stra>},
    {"Editvertr", P::Baffle, "rear: vertical [cm]", 100, 7, baffle<&TSchallwand::vertr>},
    {"Edithorr", P::Baffle, "rear: horizontal [cm]", 100, 7, baffle<&TSchallwand::horr>},
    {"Editstrar", P::Baffle, "rear: to listener [cm]", 100, 7, baffle<&TSchallwand::strar>},
    {"Editd", P::Baffle, "Diameter of sound output (d) [cm]", 100, 7, baffle<&TSchallwand::d>},

    {"Edit_PNorm", P::More, "P nom [W]", 1, 7, chassis<&TChassis::_PNorm>},
    {"Edit_Hvc", P::More, "Hvc [mm]", 1000, 7, chassis<&TChassis::_Hvc>},
    {"Edit_Dvc", P::More, "Dvc [mm]", 1000, 7, chassis<&TChassis::_Dvc>},
    {"Edit_Hpp", P::More, "Hpp [mm]", 1000, 7, chassis<&TChassis::_Hpp>},
    {"Edit_Bl", P::More, "Bl [N/A]", 1, 7, chassis<&TChassis::_Bl>},
    {"Edit_SPL", P::More, "SPL [dB]", 1, 7, chassis<&TChassis::_SPL>},
    {"Edit_Le", P::More, "Voice coil inductance Le [mH]", 1000, 7, chassis<&TChassis::_Le>},
    {"Edit_Mmd", P::More, "Mms [g]", 1000, 7, chassis<&TChassis::_Mmd>},
    {"Edit_magind", P::More, "magn. induction [T]", 1, 7, chassis<&TChassis::_magind>},
    {"Edit_magflu", P::More, "magn. flux [Wb]\xB5", 1, 7, chassis<&TChassis::_magflu>},
    {"Edit_Etiefe", P::More, "depth inside housing [mm]", 1000, 7, chassis<&TChassis::_Etiefe>},
    {"Edit_Ausschn", P::More, "cutout diameter [mm]", 1000, 7, chassis<&TChassis::_Ausschn>},
    {"Edit_Gewicht", P::More, "Weight [g]", 1000, 7, chassis<&TChassis::_Gewicht>},
    {"Editxmax", P::More, "Maximum excursion per side [mm]", 1000, 7, chassis<&TChassis::xmax>},
};

const TextField Texts[] = {
    {"EditName", P::Driver, "Denomination", chassisText<&TChassis::Name>,
     setChassisText<&TChassis::Name>},
    {"EditKommentar", P::Driver, "Comment", chassisText<&TChassis::Kommentar>,
     setChassisText<&TChassis::Kommentar>},
    {"Edit_fu", P::More, "Lower frequency limit [Hz]", chassisText<&TChassis::_fu>,
     setChassisText<&TChassis::_fu>},
    {"Edit_fo", P::More, "upper frequency limit [Hz]", chassisText<&TChassis::_fo>,
     setChassisText<&TChassis::_fo>},
    {"Edit_bnr", P::More, "Ordering Code.", chassisText<&TChassis::_bnr>,
     setChassisText<&TChassis::_bnr>},
    {"Edit_Da", P::More, "Outer diameter [mm]", chassisText<&TChassis::_Da>,
     setChassisText<&TChassis::_Da>},
};

const CheckField Checks[] = {
    {"CheckInternal", P::Driver, "Internal enclosure (e.g. dome tweeters)",
     chassisFlag<&TChassis::hintengeschl>},
    {"CheckUseFgangA", P::Driver, "Use frequency response", chassisFlag<&TChassis::useFgangA>},
    {"CheckUseFgangAP", P::Driver, "use acoustic phase resp.", chassisFlag<&TChassis::useFgangAP>},
    {"CheckUseFgangA2fs", P::Driver, "... starting around 2*fc",
     chassisFlag<&TChassis::useFgangA2fs>},
    {"CheckUseFgangI", P::Driver, "use impedance response.", chassisFlag<&TChassis::useFgangI>},
    {"CheckUseFgangIP", P::Driver, "use electric phase response.",
     chassisFlag<&TChassis::useFgangIP>},
    {"CheckExplicit", P::Enclosure, "explicit input for air load and Q-factors",
     [](DriverRecords& r) { return &r.einbau.mbQExpl; }},
    {"CheckTop", P::Baffle, "top", baffleFlag<&TSchallwand::beugo>},
    {"CheckBottom", P::Baffle, "bottom", baffleFlag<&TSchallwand::beugu>},
    {"CheckRight", P::Baffle, "right", baffleFlag<&TSchallwand::beugr>},
    {"CheckLeft", P::Baffle, "left", baffleFlag<&TSchallwand::beugl>},
    {"CheckGemGeh", P::Baffle, "Use option \"Common outer housing\"",
     baffleFlag<&TSchallwand::usegemgeh>},
};

const ListField Lists[] = {
    {"ListFgangWhich",
     P::Driver,
     "Measurement of frequency response took place:",
     {"1. Infinite baffle", "2. DIN baffle / 200 liter", "3. KELMORA test enclosure small side",
      "4. KELMORA test enclosure large side", "5. Box which is simulated",
      "6. KELMORA test enclosure small side (old)", "7. KELMORA test enclosure large side (old)"},
     1,
     [](const DriverRecords& r) { return int{r.chassis.fgang_which}; },
     [](DriverRecords& r, int v) { r.chassis.fgang_which = static_cast<std::int16_t>(v); }},
    {"ListDirection",
     P::Baffle,
     "direction of beam:",
     {"to front", "to back", "to left", "to right", "to top", "to bottom"},
     0,
     [](const DriverRecords& r) { return int{r.baffle.direction}; },
     [](DriverRecords& r, int v) { r.baffle.direction = static_cast<std::int8_t>(v); }},
    {"ListDirectionR",
     P::Baffle,
     "Beam direction for sound from back side of diaphragm",
     {"same as driver", "opposite to driver"},
     0,
     [](const DriverRecords& r) { return int{r.baffle.directionr}; },
     [](DriverRecords& r, int v) { r.baffle.directionr = static_cast<std::int8_t>(v); }},
    {"ListMembranform",
     P::Baffle,
     "Shape of diaphragm",
     {"dome", "cone"},
     0,
     [](const DriverRecords& r) { return int{r.baffle.Membranform}; },
     [](DriverRecords& r, int v) { r.baffle.Membranform = static_cast<std::int8_t>(v); }},
};

const EnclosureChoice Enclosures[] = {
    {EinbauClosed, "Closed enclosure"},
    {EinbauVented, "Vented enclosure"},
    {EinbauIntegrated, "Integrated enclosure (tweeters)"},
    {EinbauBandpass, "Bandpass"},
    {EinbauBandpassBivented, "Bandpass bivented"},
    {EinbauPassiveRadiator, "Passive radiator"},
};

const DampingField Dampings[] = {
    {"SliderBedv", "Damping of rearside volume", &TEinbau::Bedv},
    {"SliderBedc", "Damping near driver", &TEinbau::Bedc},
    {"SliderBedk", "Damping in port", &TEinbau::Bedk},
    {"SliderBedvf", "Damping of frontside volume", &TEinbau::Bedvf},
    {"SliderBedkf", "Damping of port of frntside volume", &TEinbau::Bedkf},
};

const MeasuredTable Tables[] = {
    {"GridFgangA", "Sound pressure", "dB", &TChassis::FgangAF, &TChassis::FgangA, false},
    {"GridFgangAP", "Acoustic phase", "\xB0", &TChassis::FgangAPF, &TChassis::FgangAP, true},
    {"GridFgangI", "Impedance", "ohm", &TChassis::FgangIF, &TChassis::FgangI, false},
    {"GridFgangIP", "Electrical phase", "\xB0", &TChassis::FgangIPF, &TChassis::FgangIP, true},
};

constexpr double DegreesPerRadian = 57.29577951308232;
constexpr double RadiansPerDegree = 0.017453292519943295;

} // namespace

std::span<const NumberField> NumberFields() {
    return Numbers;
}
std::span<const TextField> TextFields() {
    return Texts;
}
std::span<const CheckField> CheckFields() {
    return Checks;
}
std::span<const ListField> ListFields() {
    return Lists;
}
std::span<const EnclosureChoice> EnclosureChoices() {
    return Enclosures;
}
std::span<const DampingField> DampingFields() {
    return Dampings;
}
std::span<const MeasuredTable> MeasuredTables() {
    return Tables;
}

const NumberField* FindNumberField(std::string_view name) {
    for (const NumberField& field : Numbers) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

std::string FieldText(const NumberField& field, DriverRecords& records) {
    if (field.count != nullptr) {
        return FloatToWidth(field.width, *field.count(records));
    }
    return FloatToWidth(field.width, *field.value(records) * field.scale);
}

void ApplyFieldText(const NumberField& field, std::string_view text, DriverRecords& records) {
    if (field.count != nullptr) {
        // Anything that is no sensible count becomes 0, which the driver check names.
        const double n = std::round(TextToFloat(text));
        *field.count(records) = std::isfinite(n) && std::abs(n) < 1e6 ? static_cast<int>(n) : 0;
        return;
    }
    *field.value(records) = TextToFloat(text) / field.scale;
}

int ListIndex(const ListField& field, const DriverRecords& records) {
    const int count = static_cast<int>(field.items.size());
    return std::clamp(field.get(records) - field.offset, 0, count - 1);
}

void ApplyListIndex(const ListField& field, int index, DriverRecords& records) {
    field.set(records, index + field.offset);
}

std::vector<TableRow> MeasuredTableRows(const MeasuredTable& table, const TChassis& chassis) {
    const MeasuredArray& F = chassis.*table.frequencies;
    const MeasuredArray& V = chassis.*table.values;
    std::vector<TableRow> rows;
    for (int i = 0; i < MeasuredTableRowCount && F[i] > 0.001 && F[i] < 1e6; ++i) {
        const double value = table.phase ? V[i] * DegreesPerRadian : V[i];
        rows.push_back({FloatToWidth(7, F[i]), FloatToWidth(7, value)});
    }
    return rows;
}

void ApplyMeasuredTableRows(const MeasuredTable& table, const std::vector<TableRow>& rows,
                            TChassis& chassis) {
    MeasuredArray& F = chassis.*table.frequencies;
    MeasuredArray& V = chassis.*table.values;
    for (int i = 0; i < MeasuredTableRowCount; ++i) {
        const bool has = i < static_cast<int>(rows.size());
        F[i] = has ? TextToFloat(rows[i][0]) : 0.0;
        const double value = has ? TextToFloat(rows[i][1]) : 0.0;
        V[i] = table.phase ? value * RadiansPerDegree : value;
    }
    F[MeasuredTableRowCount] = 0.0;
}

} // namespace tavrel
