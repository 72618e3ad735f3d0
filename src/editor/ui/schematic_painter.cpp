#include "editor/ui/schematic_painter.h"

#include "app/ui/store_text.h"
#include "charts/ui/chart_painter.h"
#include "model/projekt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace tavrel {

namespace {

constexpr int PictureDpi = 96;

QPoint toQPoint(PixelPoint p) {
    return {p.x, p.y};
}

class ShapePainter {
public:
    explicit ShapePainter(QPainter& painter) : m_painter(painter) {}

    void operator()(const SchematicLine& line) const {
        m_painter.setPen(ToQPen(line.pen));
        m_painter.drawLine(toQPoint(line.from), toQPoint(line.to));
    }
    void operator()(const SchematicBox& box) const {
        m_painter.setPen(ToQPen(box.pen));
        m_painter.setBrush(ToQColor(box.fill));
        const QRect rect(QPoint(box.rect.left, box.rect.top),
                         QPoint(box.rect.right - 1, box.rect.bottom - 1));
        if (box.ellipse) {
            m_painter.drawEllipse(rect);
        } else {
            m_painter.drawRect(rect);
        }
    }
    void operator()(const SchematicPolygon& shape) const {
        QPolygon polygon;
        for (PixelPoint p : shape.points) {
            polygon.append(toQPoint(p));
        }
        m_painter.setPen(ToQPen(shape.pen));
        m_painter.setBrush(ToQColor(shape.fill));
        m_painter.drawPolygon(polygon);
    }
    void operator()(const SchematicCurve& curve) const {
        QPainterPath path(toQPoint(curve.points[0]));
        path.cubicTo(toQPoint(curve.points[1]), toQPoint(curve.points[2]),
                     toQPoint(curve.points[3]));
        m_painter.setPen(ToQPen(curve.pen));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(path);
    }
    void operator()(const SchematicText& text) const {
        m_painter.setPen(ToQColor(text.colour));
        m_painter.drawText(QRect(text.at.x, text.at.y, 400, 100), Qt::AlignLeft | Qt::AlignTop,
                           FromStoreText(text.text));
    }

private:
    QPainter& m_painter;
};

} // namespace

QFont SchematicFont(int points) {
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points > 0 ? points : 1);
    return font;
}

void PaintSchematic(QPainter& painter, const std::vector<SchematicShape>& shapes, int points) {
    painter.save();
    painter.setFont(SchematicFont(points));
    const ShapePainter shapePainter(painter);
    for (const SchematicShape& shape : shapes) {
        std::visit(shapePainter, shape);
    }
    painter.restore();
}

QImage RenderSchematicImage(const TProjekt& projekt, int amp, int size,
                            const SchematicOptions& options) {
    const SchematicMetrics metrics = MetricsForSize(size);
    const EditorWindowSize picture = SchematicPictureSize(metrics);
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(PictureDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    PaintSchematicPicture(painter, projekt, amp, size, options);
    return image;
}

void PaintSchematicPicture(QPainter& painter, const TProjekt& projekt, int amp, int size,
                           const SchematicOptions& options) {
    const SchematicMetrics metrics = MetricsForSize(size);
    const EditorWindowSize picture = SchematicPictureSize(metrics);
    painter.fillRect(0, 0, picture.width, picture.height, Qt::white);
    PaintSchematic(painter, DrawSchematic(projekt.Amps[amp].Weiche, projekt, metrics, options),
                   SchematicFontPoints(metrics.size, PictureDpi));
}

} // namespace tavrel
