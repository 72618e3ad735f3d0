#include "editor/schematic_layout.h"

#include "model/weiche.h"

namespace tavrel {

SchematicMetrics MetricsForSize(int size) {
    switch (size) {
    case 1:
        return {1, 77, 49, 8, 12, 18};
    case 3:
        return {3, 102, 64, 10, 18, 24};
    default:
        return {2, 86, 56, 8, 17, 20};
    }
}

int SchematicFontPoints(int size, int dpi) {
    const SchematicMetrics metrics = MetricsForSize(size);
    return (624 + 96 * metrics.size) / (dpi > 0 ? dpi : 96);
}

EditorWindowSize EditorWindowSizeFor(const SchematicMetrics& m, int dpi) {
    return {10 * m.pitchX + 96 + dpi + 8 * m.size, 8 * m.pitchY + dpi + 2 * m.size - 18};
}

EditorWindowSize SchematicPictureSize(const SchematicMetrics& m) {
    // Room for the labels right of the last column and below the last row.
    return {10 * m.pitchX + 15 + 80, 8 * m.pitchY + 15 + 30};
}

PixelPoint NodePoint(const SchematicMetrics& m, int node) {
    return {m.pitchX * (node % WeicheColumns) + 15, m.pitchY * (node / WeicheColumns) + 15};
}

bool IsHorizontalSlot(int slot) {
    return slot >= 0 && slot < 90;
}

std::optional<PixelRect> SlotRect(const SchematicMetrics& m, int slot) {
    if (slot < 0 || slot >= WeicheGridSlots) {
        return std::nullopt;
    }
    if (IsHorizontalSlot(slot)) {
        const int r = slot / 10, c = slot % 10;
        return PixelRect{m.pitchX * c + 15 + m.s_h, m.pitchY * r + 2,
                         m.pitchX * (c + 1) + 5 + 2 * m.size, m.pitchY * r + 24 + 3 * m.size};
    }
    const int k = slot - 90, r = k / 11, c = k % 11;
    return PixelRect{m.pitchX * c - 3, m.pitchY * r + 15 + m.s_v,
                     m.pitchX * (c + 1) + 2 * m.size - 10 - m.s_h,
                     m.pitchY * r + 35 + m.s_v + 4 * m.size};
}

int HitSlot(const SchematicMetrics& metrics, PixelPoint point) {
    for (int slot = WeicheGridSlots - 1; slot >= 0; --slot) {
        if (SlotRect(metrics, slot)->contains(point)) {
            return slot;
        }
    }
    return -1;
}

} // namespace tavrel
