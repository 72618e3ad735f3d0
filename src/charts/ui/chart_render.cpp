#include "charts/ui/chart_render.h"

#include "charts/chart_selection.h"
#include "charts/ui/chart_painter.h"

#include <QPainter>
#include <memory>

namespace tavrel {

bool PaintNamedChart(QPainter& painter, const QRect& rect, std::string_view chartName,
                     const TResult& result, const TProjekt& projekt, const QImage& placeholder,
                     QString* error) {
    const ChartSelectionResult parsed = ParseChartSelection(chartName);
    if (!parsed.ok) {
        if (error != nullptr) {
            *error = QString::fromStdString(parsed.error);
        }
        return false;
    }
    painter.fillRect(rect, Qt::white);
    if (parsed.selection.polar) {
        TVPolar horizontal;
        TVPolar vertical;
        SetHorizontalPolarTexts(horizontal);
        SetVerticalPolarTexts(vertical);
        FillPolarHeader(horizontal, result, projekt);
        FillPolarHeader(vertical, result, projekt);
        FillPolarLevels(horizontal, vertical, result,
                        std::min(parsed.selection.index, PolarScrollMaximum(result)));
        PaintPolarPair(painter, horizontal, vertical, rect);
        return true;
    }
    auto chart = std::make_unique<TVChart>();
    FillSelectedChart(*chart, parsed.selection, result, projekt);
    PaintChart(painter, *chart, rect, placeholder);
    return true;
}

RenderedChart RenderChartImage(std::string_view chartName, const TResult& result,
                               const TProjekt& projekt, QSize size, const QImage& placeholder) {
    RenderedChart rendered;
    if (size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000) {
        rendered.error = QStringLiteral("image size must be 1 to 20000 pixels each way");
        return rendered;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!PaintNamedChart(painter, image.rect(), chartName, result, projekt, placeholder,
                         &rendered.error)) {
        return rendered;
    }
    painter.end();
    rendered.image = image;
    return rendered;
}

} // namespace tavrel
