#include "charts/tv_chart.h"

#include "foundation/zeroed_memory.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace tavrel {

bool IsLogarithmic(AxisType type) {
    return type == AxisType::Volt || type == AxisType::Seconds || type == AxisType::Watt ||
           type == AxisType::Milliseconds;
}

std::string_view UnitLabel(AxisType type) {
    static constexpr std::array<std::string_view, 11> labels{
        "SPL [dB]", "Z [ohm]", "\xB0", "V rms", "sec.", "W/8ohm", "mm", "m/s", "ms", "1/s", "rel."};
    const auto index = static_cast<std::size_t>(type);
    return index < labels.size() ? labels[index] : std::string_view{};
}

TVChart::TVChart() = default;

void* TVChart::operator new(std::size_t size) {
    return AllocateZeroed(size);
}

void TVChart::operator delete(void* p) noexcept {
    std::free(p);
}

void TVChart::StoreAsReference() {
    for (int slot = 0; slot < CurveSlots; ++slot) {
        curves[ReferenceOffset + slot] = curves[slot];
    }
}

void TVChart::ClearReference() {
    for (int slot = 0; slot < CurveSlots; ++slot) {
        reference(slot).visible = false;
        reference(slot).count = 0;
    }
}

void TVChart::HideCurves() {
    for (int slot = 0; slot < CurveSlots; ++slot) {
        curves[slot].visible = false;
    }
}

int MapToPixel(double value, double low, double high, bool logarithmic, int from, int to) {
    // NaN compares false everywhere; treat it like a value below the range.
    if (!(value >= low)) {
        return from;
    }
    if (value >= high) {
        return to;
    }
    double fraction = 0.0;
    if (logarithmic) {
        if (!(low > 0.0)) {
            return from;
        }
        fraction = std::log10(value / low) / std::log10(high / low);
    } else {
        fraction = (value - low) / (high - low);
    }
    // low <= value < high keeps the fraction inside [0, 1).
    return from + static_cast<int>(std::lround(fraction * (to - from)));
}

int TVChart::XToPixel(double x) const {
    return MapToPixel(x, xMin, xMax, !timeAxis, m_plot.left, m_plot.right);
}

int TVChart::Y1ToPixel(double y) const {
    return MapToPixel(y, y1Min, y1Max, IsLogarithmic(y1Type), m_plot.bottom, m_plot.top);
}

int TVChart::Y2ToPixel(double y) const {
    return MapToPixel(y, y2Min, y2Max, IsLogarithmic(y2Type), m_plot.bottom, m_plot.top);
}

void TVChart::setLayout(const PixelRect& plot, int charWidth, int charHeight) {
    m_plot = plot;
    m_charWidth = charWidth;
    m_charHeight = charHeight;
}

Colour ReferenceColour(Colour colour) {
    return ((colour & 0xFEFEFEu) >> 1) + MakeColour(128, 128, 128);
}

Colour BandColour(Colour colour) {
    return ReferenceColour(ReferenceColour(colour));
}

} // namespace tavrel
