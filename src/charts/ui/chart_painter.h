// Draws the display lists of the chart objects with QPainter, on any paint device (widget,
// QImage, SVG generator). Text is measured on the device being painted, so fonts fit on a
// high-DPI screen and in an image alike.
#pragma once

#include "charts/display_list.h"
#include "charts/tv_chart.h"
#include "charts/tv_polar.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QString>

class QPainter;
class QPaintDevice;

namespace tavrel {

/// Text measurement with the fonts the painter will use on `device`.
class QtTextMetrics : public TextMetrics {
public:
    explicit QtTextMetrics(QPaintDevice* device);
    int textWidth(std::string_view text, const FontSpec& font) const override;
    int textHeight(const FontSpec& font) const override;

private:
    QPaintDevice* m_device;
};

QFont ChartFont(const FontSpec& spec);
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);
QPen ToQPen(const Pen& pen);

/// Draws every item in order; a picture item draws `placeholder` (nothing if it is null).
/// A list with an error gets the error text written into its background.
void PaintDisplayList(QPainter& painter, const DisplayList& list, const QImage& placeholder);

/// Lays `chart` out in `rect` of the painter's device and draws it.
void PaintChart(QPainter& painter, TVChart& chart, const QRect& rect, const QImage& placeholder);

/// The two diagrams side by side: horizontal in the left half, vertical in the right half.
void PaintPolarPair(QPainter& painter, TVPolar& horizontal, TVPolar& vertical, const QRect& rect);

/// Decodes the placeholder picture from `dataDirectory`. A missing or damaged file gives a
/// null image and the reason in `error`; charts then show an empty background.
QImage LoadPlaceholderPicture(const QString& dataDirectory, QString* error = nullptr);

} // namespace tavrel
