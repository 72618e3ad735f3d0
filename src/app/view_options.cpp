#include "app/view_options.h"

#include "foundation/number_text.h"
#include "model/option_block.h"

#include <cmath>
#include <utility>

namespace tavrel {

namespace {

std::string sixDigits(double value) {
    return FloatToWidth(7, value);
}

double positiveOr(const std::string& text, double fallback) {
    const double value = TextToFloat(text);
    return std::isfinite(value) && value > 0 ? value : fallback;
}

} // namespace

ViewScaleTexts ViewScalesOf(const TOptionBlock& option) {
    return {sixDigits(option.AfMin), sixDigits(option.AfMax), sixDigits(option.dBMin),
            sixDigits(option.dBMax), sixDigits(option.ImpMax)};
}

void ApplyViewScales(TOptionBlock& option, const ViewScaleTexts& scales) {
    option.AfMin = positiveOr(scales.AfMin, 20);
    option.AfMax = positiveOr(scales.AfMax, 20000);
    option.dBMin = positiveOr(scales.dBMin, 50);
    option.dBMax = positiveOr(scales.dBMax, 112);
    option.ImpMax = positiveOr(scales.ImpMax, 50);
    if (option.AfMin > option.AfMax) {
        std::swap(option.AfMin, option.AfMax);
    }
    if (option.dBMin > option.dBMax) {
        std::swap(option.dBMin, option.dBMax);
    }
}

void RestoreViewDefaults(TOptionBlock& option) {
    SetDefaultColors(option);
    option.AfMin = 20;
    option.AfMax = 20000;
    option.dBMin = 40;
    option.dBMax = 110;
    option.ImpMax = 70;
}

StoreCloseResult StoreProgramWideOptions(TSettings& settings, bool use,
                                         const TOptionBlock& option) {
    TMyIniFile store(settings.SettingsPath, false, true, true);
    store.WriteBool(OptionSection, "UseOption", use);
    if (use) {
        WriteOptionBlock(store, option);
    }
    const StoreCloseResult result = store.Close();
    settings.UseOption = use;
    if (use) {
        settings.Option = option;
    }
    return result;
}

} // namespace tavrel
