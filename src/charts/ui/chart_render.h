// Renders one named chart of a result into an image, for the command line and for tests.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <string_view>

class QPainter;

namespace tavrel {

struct RenderedChart {
    QImage image; ///< null on failure
    QString error;
};

/// `chartName` as the command line names it ("response", "directions-up", "driver 2",
/// "phase", "umax", "maxspl", "voltage", "directivity", "polar 17"). The charts use the
/// default states of the tabs' check boxes; an empty chart shows `placeholder`.
RenderedChart RenderChartImage(std::string_view chartName, const TResult& result,
                               const TProjekt& projekt, QSize size, const QImage& placeholder);

/// The same drawing onto any painter (an SVG generator, a printer); false with `error` set
/// for an unknown chart name.
bool PaintNamedChart(QPainter& painter, const QRect& rect, std::string_view chartName,
                     const TResult& result, const TProjekt& projekt, const QImage& placeholder,
                     QString* error);

} // namespace tavrel
