// TVChart: a response chart that is not a window. It holds 26 curves and their 26 reference
// copies, a logarithmic frequency axis and one or two vertical axes, and lays all of it out
// as a display list for a given rectangle. The views fill it; a painter draws the list.
#pragma once

#include "charts/display_list.h"
#include "foundation/fixed_string.h"
#include "model/projekt.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tavrel {

/// Index into the unit labels; Volt, Seconds, Watt and Milliseconds are logarithmic.
enum class AxisType : std::int32_t {
    Spl = 0,
    Impedance,
    Degrees,
    Volt,
    Seconds,
    Watt,
    Millimetre,
    MetresPerSecond,
    Milliseconds,
    PerSecond, ///< an impulse response
    Relative,  ///< a step response: 1 is the pressure factor 1
};

bool IsLogarithmic(AxisType type);
/// "SPL [dB]", "Z [ohm]", "°", "V rms", "sec.", "W/8ohm", "mm", "m/s", "ms", "1/s", "rel."
/// (Windows-1252).
std::string_view UnitLabel(AxisType type);

/// A y value that is not drawn: the curve breaks there (a finite value, so nothing that is not
/// a number ever reaches a chart).
constexpr double ChartGap = std::numeric_limits<double>::lowest();

struct ChartCurve {
    bool visible = false;
    bool rightAxis = false;
    FixedString<32> name;
    std::int32_t count = 0; ///< points used; fewer than 2 draws nothing
    Colour colour = Black;
    LineStyle style = LineStyle::Solid; ///< of the current curve; references are dotted
    /// Only the first `count` points are ever read. The arrays are left to the allocator: a
    /// TVChart on the heap comes from calloc and holds zeros without its constructor writing
    /// the half megabyte of every chart.
    std::array<double, GridSize> x;
    std::array<double, GridSize> y;
};

/// A spread around one curve: a shaded area between `low` and `high` and thin lines at `min`
/// and `max`, in the colour and on the axis of curve `slot`, drawn while that curve is.
struct ChartBand {
    int slot = 0;
    std::vector<double> x, low, high, min, max;
};

/// Size of the picture an empty chart shows; the shipped JPEG has about this size.
struct PictureSize {
    int width = 578;
    int height = 376;
};

class TVChart {
public:
    static constexpr int CurveSlots = 26;
    static constexpr int ReferenceOffset = CurveSlots;

    TVChart();

    // Header, set by the views.
    Colour background = White;
    bool boldTitle = false;
    bool largeFonts = false;
    bool noLegend = false;
    bool hasData = false;
    double xMin = 20.0, xMax = 20000.0;
    /// The x axis is linear time in ms instead of logarithmic frequency.
    bool timeAxis = false;
    double y1Min = 0.0, y1Max = 100.0;
    double y2Min = 0.0, y2Max = 100.0;
    AxisType y1Type = AxisType::Spl;
    AxisType y2Type = AxisType::Impedance;
    bool secondAxis = false;
    /// Two titles at the top left, two texts at the top right (Windows-1252).
    std::array<std::string, 4> titles;
    /// 0..25 current curves, 26..51 the reference copies of 0..25.
    std::array<ChartCurve, 2 * CurveSlots> curves;
    /// Drawn under the curves; the views leave them alone, their owner clears them.
    std::vector<ChartBand> bands;

    ChartCurve& curve(int slot) { return curves[slot]; }
    const ChartCurve& curve(int slot) const { return curves[slot]; }
    ChartCurve& reference(int slot) { return curves[ReferenceOffset + slot]; }

    void StoreAsReference();
    void ClearReference();
    /// Hides every current curve (the reference curves stay).
    void HideCurves();

    /// Mapping with the plot rectangle of the last layout.
    int XToPixel(double x) const;
    int Y1ToPixel(double y) const;
    int Y2ToPixel(double y) const;

    /// Lays the chart out in `rect` and records the plot rectangle and character size for
    /// the mapping. Never throws: a failure leaves a list holding only the background and
    /// the error text "Fehler bei PaintChart".
    DisplayList Paint(const PixelRect& rect, const TextMetrics& metrics, PictureSize picture = {});

    const PixelRect& plotRect() const { return m_plot; }
    int charWidth() const { return m_charWidth; }
    int charHeight() const { return m_charHeight; }

    /// Used by the layout code only.
    void setLayout(const PixelRect& plot, int charWidth, int charHeight);

    // From calloc and back to free: the curves' points are zeros on pages nobody touched.
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

private:
    PixelRect m_plot;
    int m_charWidth = 8;
    int m_charHeight = 16;
};

/// Pixel of `value` between `low` (at pixel `from`) and `high` (at pixel `to`), clamped:
/// below `low` gives `from`, at or above `high` gives `to`.
int MapToPixel(double value, double low, double high, bool logarithmic, int from, int to);

/// The dotted reference colour: halfway between the curve colour and white.
Colour ReferenceColour(Colour colour);

/// The fill of a band: a light tint of the curve colour, three quarters of the way to white.
Colour BandColour(Colour colour);

} // namespace tavrel
