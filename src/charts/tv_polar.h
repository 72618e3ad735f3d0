// TVPolar: one polar diagram of the speaker's level at one frequency, twelve points 30°
// apart, drawn as a closed curve over level rings. Not a window; laid out as a display list.
#pragma once

#include "charts/display_list.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavrel {

constexpr int PolarPoints = 361;

/// Steps of the level rings: a light ring every `minor` dB, every `majorEvery`-th a labelled one.
struct RingSteps {
    bool valid = false; ///< false when no step of the series is coarse enough
    double minor = 0.0;
    double major = 0.0;
    int majorEvery = 1;
};

/// Ring steps so that labelled rings stay about 2.2 text heights apart.
RingSteps ChooseRingSteps(double levelMin, double levelMax, int textHeight, int radius);

class TVPolar {
public:
    TVPolar() = default;

    std::int32_t centreX = 0, centreY = 0;
    std::int32_t radius = 1;
    bool enabled = false;
    double levelMin = 40.0, levelMax = 110.0;
    std::string title, rightLabel, leftLabel, topLabel, bottomLabel;
    std::array<double, PolarPoints> angle{}; ///< in units of 30°, 0 at the top, clockwise
    std::array<double, PolarPoints> level{}; ///< dB
    std::int32_t count = 0;

    /// 0 at or below the minimum, the radius at or above the maximum, linear between.
    int LevelToRadius(double value) const;

    /// Lays the diagram out in x0..x1 × y0..y1 (y0 the top) and records centre and radius.
    /// A failure ends the drawing quietly with what was laid out so far.
    DisplayList Paint(int x0, int y1, int x1, int y0, const TextMetrics& metrics);

private:
    void layOut(int x0, int y1, int x1, int y0, const TextMetrics& metrics, DisplayList& list);
    void addRings(const FontSpec& font, int textHeight, DisplayList& list) const;
    void addCurve(DisplayList& list) const;
};

/// The horizontal and vertical diagram texts the main window gives its two instances.
void SetHorizontalPolarTexts(TVPolar& polar);
void SetVerticalPolarTexts(TVPolar& polar);

} // namespace tavrel
