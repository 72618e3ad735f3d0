#include "calculators/calculator_pages.h"

#include "calculators/box_design.h"
#include "calculators/impedance_correction.h"
#include "calculators/port_tuning.h"
#include "calculators/radiator_design.h"
#include "calculators/standard_crossovers.h"
#include "calculators/voltage_divider.h"
#include "foundation/ascii_case.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace tavrel {

namespace {

/// A choice held as a whole number in `low`..`high` (check boxes and radio buttons are 0..1).
template <class In>
struct Choice {
    int In::*member;
    int low, high;
};

template <class In>
struct Binding {
    const char* name;
    std::variant<std::string In::*, bool In::*, Choice<In>> member;
    const char* meaning;
};

/// A whole number in low..high typed as text ("2", "2,0"), or nothing.
std::optional<int> choiceValue(const std::string& text, int low, int high) {
    const ParsedFloat parsed = ParseFloat(text);
    const double value = static_cast<double>(parsed.value);
    if (text.empty() || parsed.consumed != static_cast<int>(text.size()) ||
        value != std::floor(value) || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

template <class In>
std::string defaultText(const Binding<In>& binding) {
    const In defaults{};
    return std::visit(
        [&](const auto& member) -> std::string {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, std::string In::*>) {
                return defaults.*member;
            } else if constexpr (std::is_same_v<M, bool In::*>) {
                return defaults.*member ? "1" : "0";
            } else {
                return std::to_string(defaults.*(member.member));
            }
        },
        binding.member);
}

/// Sets one field as typing it would; false with `error` for a choice out of range.
template <class In>
bool assign(In& in, const Binding<In>& binding, const std::string& value, std::string& error) {
    return std::visit(
        [&](const auto& member) {
            using M = std::decay_t<decltype(member)>;
            if constexpr (std::is_same_v<M, std::string In::*>) {
                in.*member = value;
                return true;
            } else {
                int low = 0;
                int high = 1;
                if constexpr (std::is_same_v<M, Choice<In>>) {
                    low = member.low;
                    high = member.high;
                }
                const std::optional<int> choice = choiceValue(value, low, high);
                if (!choice) {
                    error = "field " + std::string(binding.name) + " takes a whole number " +
                            std::to_string(low) + ".." + std::to_string(high) + ", not '" + value +
                            "'";
                    return false;
                }
                if constexpr (std::is_same_v<M, bool In::*>) {
                    in.*member = *choice != 0;
                } else {
                    in.*(member.member) = *choice;
                }
                return true;
            }
        },
        binding.member);
}

template <class In, std::size_t N>
std::vector<CalculatorField> fieldsOf(const Binding<In> (&bindings)[N]) {
    std::vector<CalculatorField> fields;
    for (const Binding<In>& binding : bindings) {
        fields.push_back(
            {binding.name, defaultText(binding), binding.meaning, binding.member.index() != 0});
    }
    return fields;
}

/// The inputs after the assignments, with `changed` applied after each (a field that fills in
/// another, as Qes and Qms fill in Qts).
template <class In, std::size_t N>
std::optional<In> inputsOf(const Binding<In> (&bindings)[N], const FieldAssignments& assignments,
                           void (*changed)(In&, std::string_view), std::string& error) {
    In in{};
    for (const auto& assignment : assignments) {
        const auto& [name, value] = assignment;
        const std::string wanted = AsciiLower(name);
        const auto binding =
            std::find_if(std::begin(bindings), std::end(bindings),
                         [&wanted](const Binding<In>& b) { return AsciiLower(b.name) == wanted; });
        if (binding == std::end(bindings)) {
            error = "no field named '" + name + "'";
            return std::nullopt;
        }
        if (!assign(in, *binding, value, error)) {
            return std::nullopt;
        }
        if (changed != nullptr) {
            changed(in, binding->name);
        }
    }
    return in;
}

const Binding<BoxInputs> BoxFields[] = {
    {"fs", &BoxInputs::fs, "resonance frequency fs [Hz]"},
    {"Qts", &BoxInputs::Qts, "resonance Q-factor Qts"},
    {"CheckBoxQesmsda", &BoxInputs::CheckBoxQesmsda, "Qes and Qms are known"},
    {"Qes", &BoxInputs::Qes, "electrical Q-factor (sets Qts with Qms)"},
    {"Qms", &BoxInputs::Qms, "mechanical Q-factor (sets Qts with Qes)"},
    {"CheckBoxRv", &BoxInputs::CheckBoxRv, "consider preresistor"},
    {"Rdc", &BoxInputs::Rdc, "DC resistance Rdc [ohm]"},
    {"Rv", &BoxInputs::Rv, "preresistor [ohm]"},
    {"Vas", &BoxInputs::Vas, "equivalent volume Vas [liter]"},
    {"QtcWunsch", &BoxInputs::QtcWunsch, "desired Q-factor Qtc"},
    {"AltVab", &BoxInputs::AltVab, "alternative volume [liter]"},
};

void boxChanged(BoxInputs& in, std::string_view name) {
    if (name == "Qes" || name == "Qms") {
        in.Qts = QtsFromQesQms(in.Qes, in.Qms);
    }
}

const Binding<PortInputs> PortFields[] = {
    {"Vbht", &PortInputs::RB_Vbht, "1: volume from b*h*t, 0: entered explicitly"},
    {"Vb0", &PortInputs::Vb0, "volume of enclosure incl. port [liter]"},
    {"b", &PortInputs::b, "inner width [cm]"},
    {"h", &PortInputs::h, "inner height [cm]"},
    {"t", &PortInputs::t, "inner depth [cm]"},
    {"TrackBarc", Choice<PortInputs>{&PortInputs::TrackBarc, 0, 4},
     "damping 0 (no wool) .. 4 (stuffed)"},
    {"Rund", &PortInputs::RB_Rund, "1: round ports, 0: rectangular port"},
    {"c", &PortInputs::c, "height of a rectangular port [cm]"},
    {"e", &PortInputs::e, "width of a rectangular port [cm]"},
    {"D", &PortInputs::D, "diameter of a round port [cm]"},
    {"nRohre", Choice<PortInputs>{&PortInputs::nRohre, 1, 4}, "number of round ports 1..4"},
    {"l", &PortInputs::l, "length of port [cm]"},
    {"g", &PortInputs::g, "distance from the port's inner end to the opposite wall [cm]"},
    {"f", &PortInputs::f, "distance between port and bottom [cm]"},
    {"k", &PortInputs::k, "distance between port and top wall [cm]"},
    {"i", &PortInputs::i, "distance between port and left wall [cm]"},
    {"j", &PortInputs::j, "distance between port and right wall [cm]"},
};

const Binding<RadiatorInputs> RadiatorFields[] = {
    {"Sd", &RadiatorInputs::Sd, "the driver's effective piston area [cm2]"},
    {"xlin", &RadiatorInputs::xlin, "the driver's linear excursion per side [mm]"},
    {"Vb", &RadiatorInputs::Vb, "volume of the enclosure [liter]"},
    {"vV", &RadiatorInputs::vV, "volume increase factor by damping material (1 .. 1.27)"},
    {"PRn", Choice<RadiatorInputs>{&RadiatorInputs::PRn, 1, MaxRadiators},
     "number of passive radiators 1..8"},
    {"PRSd", &RadiatorInputs::PRSd, "effective area of one radiator [cm2]"},
    {"PRVas", &RadiatorInputs::PRVas, "equivalent volume of one radiator [liter]"},
    {"PRfs", &RadiatorInputs::PRfs, "resonance of one radiator without added mass [Hz]"},
    {"PRQms", &RadiatorInputs::PRQms, "mechanical Q-factor of one radiator"},
    {"PRxmax", &RadiatorInputs::PRxmax, "linear excursion of one radiator per side [mm]"},
    {"fb", &RadiatorInputs::fb, "wanted tuning frequency of the enclosure [Hz]"},
    {"PRmadd", &RadiatorInputs::PRmadd, "a given mass added to each radiator [g]"},
};

const Binding<CrossoverInputs> CrossoverFields[] = {
    {"TF", &CrossoverInputs::TF, "crossover frequency [Hz]"},
    {"ITT", &CrossoverInputs::ITT, "impedance of woofer [ohm]"},
    {"IHT", &CrossoverInputs::IHT, "impedance of tweeter [ohm]"},
};

const Binding<DividerLevelInputs> DividerLevelFields[] = {
    {"dBWunsch", &DividerLevelInputs::dBWunsch, "target reduction [dB]"},
    {"ZE", &DividerLevelInputs::ZE, "target impedance [ohm]"},
    {"ZA", &DividerLevelInputs::ZA, "load impedance of speaker [ohm]"},
    {"ZEegal", &DividerLevelInputs::ZEegal, "1: do not care about the impedance"},
};

const Binding<DividerPartsInputs> DividerPartsFields[] = {
    {"R1", &DividerPartsInputs::R1, "series resistor [ohm]"},
    {"R2", &DividerPartsInputs::R2, "resistor parallel to the load [ohm]"},
    {"RL", &DividerPartsInputs::RL, "load [ohm]"},
};

const Binding<CorrectionInputs> CorrectionFields[] = {
    {"RLC_Rdc", &CorrectionInputs::RLC_Rdc, "DC resistance Rdc [ohm]"},
    {"RLC_fc", &CorrectionInputs::RLC_fc, "resonance frequency (in encl. if so) [Hz]"},
    {"RLC_Qes", &CorrectionInputs::RLC_Qes, "electrical Q-factor Qes"},
    {"RLC_Qms", &CorrectionInputs::RLC_Qms, "mechanical Q-factor Qms"},
    {"RLC_Le", &CorrectionInputs::RLC_Le, "voice coil inductance [mH]"},
};

using Results = std::vector<ResultList>;

template <class In, std::size_t N, class Compute>
std::optional<Results> run(const Binding<In> (&bindings)[N], const FieldAssignments& assignments,
                           std::string& error, Compute compute,
                           void (*changed)(In&, std::string_view) = nullptr) {
    const auto in = inputsOf(bindings, assignments, changed, error);
    if (!in) {
        return std::nullopt;
    }
    return compute(*in);
}

Results crossoverLists(const CrossoverInputs& in) {
    static constexpr const char* names[] = {"MemoTP1", "MemoHP1", "MemoTP2", "MemoHP2",
                                            "MemoTP3", "MemoHP3", "MemoTP4", "MemoHP4"};
    auto memos = StandardCrossovers(in);
    Results results;
    for (std::size_t m = 0; m < memos.size(); ++m) {
        results.push_back({names[m], std::move(memos[m])});
    }
    return results;
}

struct Page {
    std::string_view name;
    std::vector<CalculatorField> (*fields)();
    std::optional<Results> (*calculate)(const FieldAssignments&, std::string&);
};

const Page Pages[] = {
    {"sealed", [] { return fieldsOf(BoxFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(
             BoxFields, a, error,
             [](const BoxInputs& in) {
                 return Results{{"ListBox2", SealedDesign(in)}};
             },
             boxChanged);
     }},
    {"vented", [] { return fieldsOf(BoxFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(
             BoxFields, a, error,
             [](const BoxInputs& in) {
                 return Results{{"ListBox1", VentedDesign(in)}};
             },
             boxChanged);
     }},
    {"alternative", [] { return fieldsOf(BoxFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(
             BoxFields, a, error,
             [](const BoxInputs& in) {
                 return Results{{"ListBox3", AlternativeDesign(in)}};
             },
             boxChanged);
     }},
    {"port", [] { return fieldsOf(PortFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(PortFields, a, error, [](const PortInputs& in) {
             return Results{{"ListBox5", PortTuning(in)}};
         });
     }},
    {"passive-radiator", [] { return fieldsOf(RadiatorFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(RadiatorFields, a, error, [](const RadiatorInputs& in) {
             return Results{{"ListBoxPR", RadiatorDesign(in), !RadiatorDataUsable(in)}};
         });
     }},
    {"crossovers", [] { return fieldsOf(CrossoverFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(CrossoverFields, a, error, crossoverLists);
     }},
    {"divider-level", [] { return fieldsOf(DividerLevelFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(DividerLevelFields, a, error, [](const DividerLevelInputs& in) {
             return Results{{"Memo2", DividerByLevel(in)}};
         });
     }},
    {"divider-parts", [] { return fieldsOf(DividerPartsFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(DividerPartsFields, a, error, [](const DividerPartsInputs& in) {
             return Results{{"Memo3", DividerByParts(in)}};
         });
     }},
    {"correction", [] { return fieldsOf(CorrectionFields); },
     [](const FieldAssignments& a, std::string& error) {
         return run(CorrectionFields, a, error, [](const CorrectionInputs& in) {
             CorrectionLines lines = ImpedanceCorrection(in);
             return Results{{"Memo4", std::move(lines.inductance)},
                            {"Memo5", std::move(lines.resonance)},
                            {"Memo6", std::move(lines.combined)}};
         });
     }},
};

const Page* findPage(std::string_view name) {
    for (const Page& page : Pages) {
        if (page.name == name) {
            return &page;
        }
    }
    return nullptr;
}

} // namespace

std::vector<std::string_view> CalculatorPageNames() {
    std::vector<std::string_view> names;
    for (const Page& page : Pages) {
        names.push_back(page.name);
    }
    return names;
}

bool IsCalculatorPage(std::string_view page) {
    return findPage(page) != nullptr;
}

std::vector<CalculatorField> CalculatorFields(std::string_view page) {
    const Page* found = findPage(page);
    return found == nullptr ? std::vector<CalculatorField>{} : found->fields();
}

std::optional<std::vector<ResultList>>
CalculatePage(std::string_view page, const FieldAssignments& assignments, std::string& error) {
    const Page* found = findPage(page);
    if (found == nullptr) {
        error = "no calculator page named '" + std::string(page) + "'";
        return std::nullopt;
    }
    return found->calculate(assignments, error);
}

} // namespace tavrel
