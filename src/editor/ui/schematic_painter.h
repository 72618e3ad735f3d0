// Paints the crossover schematic's shape list with a QPainter, for the editor window, the
// screenshots and `tavrel-cli render ... schematic`.
#pragma once

#include "editor/schematic_drawing.h"

#include <QImage>
#include <vector>

class QPainter;

namespace tavrel {

/// The schematic font: Arial at `points` points.
QFont SchematicFont(int points);

void PaintSchematic(QPainter& painter, const std::vector<SchematicShape>& shapes, int points);

/// Paints amplifier `amp`'s (0-based) network on white at window size `size` for a device of
/// 96 dpi, filling SchematicPictureSize.
void PaintSchematicPicture(QPainter& painter, const TProjekt& projekt, int amp, int size,
                           const SchematicOptions& options);

/// Amplifier `amp`'s (0-based) network on white, drawn at window size `size`, as the editor
/// shows it at 96 dpi.
QImage RenderSchematicImage(const TProjekt& projekt, int amp, int size,
                            const SchematicOptions& options);

} // namespace tavrel
