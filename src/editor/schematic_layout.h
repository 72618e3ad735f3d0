// Where things lie on the crossover schematic: the layout metrics of the three window sizes,
// the node points of the 11 × 9 grid, the click rectangle of every grid slot and the hit test
// that turns a mouse position into a slot number.
#pragma once

#include "charts/display_list.h"

#include <optional>

namespace tavrel {

struct SchematicMetrics {
    int size = 2; ///< 1 small, 2 medium, 3 large
    int pitchX = 86;
    int pitchY = 56;
    int s_h = 8;  ///< symbol offset of horizontal slots
    int s_v = 17; ///< symbol offset of vertical slots
    int L = 20;   ///< symbol length
};

/// The metrics of window size 1..3; any other stored size counts as medium.
SchematicMetrics MetricsForSize(int size);

/// Point size of the schematic font at `dpi` pixels per inch (7, 8, 9 points at 96 dpi).
int SchematicFontPoints(int size, int dpi);

/// Outer size of the editor window for these metrics.
struct EditorWindowSize {
    int width = 0;
    int height = 0;
};
EditorWindowSize EditorWindowSizeFor(const SchematicMetrics& metrics, int dpi);

/// Size of a picture that holds the whole schematic with its labels.
EditorWindowSize SchematicPictureSize(const SchematicMetrics& metrics);

/// Node n (0..98) at (pitchX·column + 15, pitchY·row + 15).
PixelPoint NodePoint(const SchematicMetrics& metrics, int node);

bool IsHorizontalSlot(int slot);

/// Click and frame rectangle of grid slot 0..177, edges included; free wires have none.
std::optional<PixelRect> SlotRect(const SchematicMetrics& metrics, int slot);

/// The grid slot under `point`: where rectangles overlap the highest slot number wins, so
/// vertical slots win over horizontal ones. −1 when no slot is there.
int HitSlot(const SchematicMetrics& metrics, PixelPoint point);

} // namespace tavrel
