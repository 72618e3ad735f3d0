#include "calculators/box_design.h"

#include "foundation/number_text.h"

#include <cmath>
#include <optional>

namespace tavrel {

namespace {

struct DriverData {
    double fs = 0;
    double qts = 0; ///< including the preresistor
    double vas = 0; ///< litres
};

/// The driver data when Qts, fs and Vas are all positive; otherwise `list` receives the
/// three lines that ask for them.
std::optional<DriverData> checkedDriver(const BoxInputs& in, LineList& list) {
    const double qts = FieldValue(in.Qts);
    const double fs = FieldValue(in.fs);
    const double vas = FieldValue(in.Vas);
    if (qts > 0 && fs > 0 && vas > 0) {
        return DriverData{fs, EffectiveQts(in), vas};
    }
    list.Text("Data incomplete.");
    list.Text("Qts, Vas and fs must be entered and be ");
    list.Text("bigger than 0.");
    return std::nullopt;
}

} // namespace

std::string QtsFromQesQms(std::string_view qes, std::string_view qms) {
    const double es = FieldValue(qes);
    const double ms = FieldValue(qms);
    if (es * ms <= 0) {
        return {};
    }
    const double qts = es * ms / (es + ms);
    return std::isfinite(qts) ? FloatToWidth(6, qts) : std::string();
}

bool PreresistorUnusable(const BoxInputs& in) {
    return in.CheckBoxRv && FieldValue(in.Rdc) <= 0;
}

double EffectiveQts(const BoxInputs& in) {
    const double qts = FieldValue(in.Qts);
    if (!in.CheckBoxRv || PreresistorUnusable(in)) {
        return qts;
    }
    const double rdc = FieldValue(in.Rdc);
    return (FieldValue(in.Rv) + rdc) * qts / rdc;
}

Lines SealedDesign(const BoxInputs& in) {
    LineList list;
    if (const auto driver = checkedDriver(in, list)) {
        const double qtc = FieldValue(in.QtcWunsch);
        if (qtc <= driver->qts) {
            list.Text("Calculation not possible because Qts or Rv too large.");
        } else {
            const double r = qtc / driver->qts;
            const double vb = driver->vas / (r * r - 1);
            const double fc = driver->fs * std::sqrt(driver->vas / vb + 1);
            list.Number("Calculated volume: ", vb, 6, " liter");
            list.Number("Resonance frequency of driver in enclosure: ", fc, 5, " Hz");
        }
    }
    return std::move(list).Finish();
}

Lines VentedDesign(const BoxInputs& in) {
    LineList list;
    if (const auto driver = checkedDriver(in, list)) {
        const double q = driver->qts;
        list.Number("volume: ", 15.2 * driver->vas * std::pow(q, 2.87), 6, " liter");
        list.Number("cut-off frequency: ", 0.26 * driver->fs / std::pow(q, 1.41), 5, " Hz");
        list.Number("tuning frequency: ", 0.42 * driver->fs / std::pow(q, 0.9), 5, " Hz");
    }
    return std::move(list).Finish();
}

Lines AlternativeDesign(const BoxInputs& in) {
    LineList list;
    if (const auto driver = checkedDriver(in, list)) {
        const double va = FieldValue(in.AltVab);
        if (va <= 0) {
            list.Text("Alternative volume must be greater than 0.");
        } else {
            const double q = driver->vas / va;
            const double ripple = 20 * std::log10(2.58 * driver->qts * std::pow(q, 0.3484));
            list.Number("cut-off frequency: ", driver->fs * std::pow(q, 0.49), 5, " Hz");
            list.Number("tuning frequency: ", driver->fs * std::pow(q, 0.32), 5, " Hz");
            list.Number("\"ripple\": ", ripple, 5, " dB");
        }
    }
    return std::move(list).Finish();
}

} // namespace tavrel
