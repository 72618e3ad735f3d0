#include "calculators/ui/sketch_view.h"

#include "app/ui/store_text.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace tavrel {

namespace {

/// Maps sketch units onto the widget, centred, with one scale for both axes.
struct Mapping {
    double scale = 1, dx = 0, dy = 0;
    QPointF operator()(double x, double y) const { return {dx + x * scale, dy + y * scale}; }
};

Mapping fit(const Sketch& s, const QRectF& area) {
    const double w = std::max(s.right - s.left, 1e-9), h = std::max(s.bottom - s.top, 1e-9);
    Mapping m;
    m.scale = std::min(area.width() / w, area.height() / h);
    m.dx = area.left() + (area.width() - w * m.scale) / 2 - s.left * m.scale;
    m.dy = area.top() + (area.height() - h * m.scale) / 2 - s.top * m.scale;
    return m;
}

/// Draws in a frame whose x axis runs along the part from `a` to `b`; `length` is |ab|.
void inPartFrame(QPainter& p, QPointF a, QPointF b, const std::function<void(double)>& draw) {
    const QLineF line(a, b);
    p.save();
    p.translate(a);
    p.rotate(-line.angle());
    draw(line.length());
    p.restore();
}

void drawLabelBeside(QPainter& p, QPointF a, QPointF b, const QString& text, double gap) {
    if (text.isEmpty()) {
        return;
    }
    const QPointF mid = (a + b) / 2;
    const bool vertical = qAbs(a.x() - b.x()) < qAbs(a.y() - b.y());
    const QFontMetricsF fm(p.font());
    const QSizeF size(fm.horizontalAdvance(text), fm.height());
    const QPointF corner = vertical
                               ? QPointF(mid.x() + gap, mid.y() - size.height() / 2)
                               : QPointF(mid.x() - size.width() / 2, mid.y() - gap - size.height());
    p.drawText(QRectF(corner, size), Qt::AlignCenter, text);
}

void drawPart(QPainter& p, SketchKind kind, QPointF a, QPointF b) {
    inPartFrame(p, a, b, [&](double len) {
        const double t = len * 0.18; // half thickness of the symbol
        switch (kind) {
        case SketchKind::Resistor:
            p.drawRect(QRectF(0, -t, len, 2 * t));
            break;
        case SketchKind::Inductor: {
            QPainterPath path(QPointF(0, 0));
            const double hump = len / 4;
            for (int n = 0; n < 4; ++n) {
                path.arcTo(QRectF(n * hump, -hump / 2, hump, hump), 180, -180);
            }
            p.drawPath(path);
            break;
        }
        case SketchKind::Capacitor: {
            const double gap = len * 0.12;
            const double plate = len * 0.35;
            p.drawLine(QPointF(0, 0), QPointF(len / 2 - gap, 0));
            p.drawLine(QPointF(len / 2 + gap, 0), QPointF(len, 0));
            p.drawLine(QPointF(len / 2 - gap, -plate), QPointF(len / 2 - gap, plate));
            p.drawLine(QPointF(len / 2 + gap, -plate), QPointF(len / 2 + gap, plate));
            break;
        }
        default:
            break;
        }
    });
}

void drawSpeaker(QPainter& p, QPointF a, QPointF b, double unit) {
    const QPointF mid = (a + b) / 2;
    const double h = unit * 0.45, w = unit * 0.25;
    p.drawLine(a, QPointF(a.x(), mid.y() - h / 2));
    p.drawLine(b, QPointF(b.x(), mid.y() + h / 2));
    p.drawRect(QRectF(mid.x() - w / 2, mid.y() - h / 2, w, h));
    const QPointF cone[] = {{mid.x() + w / 2, mid.y() - h / 2},
                            {mid.x() + w / 2 + unit * 0.4, mid.y() - h * 1.2},
                            {mid.x() + w / 2 + unit * 0.4, mid.y() + h * 1.2},
                            {mid.x() + w / 2, mid.y() + h / 2}};
    p.drawPolygon(cone, 4);
}

void drawDimension(QPainter& p, QPointF a, QPointF b, const QString& text) {
    p.drawLine(a, b);
    const QLineF line(a, b);
    const double head = 6;
    for (const auto& [tip, angle] :
         {std::pair{a, line.angle()}, std::pair{b, line.angle() + 180}}) {
        const double r1 = qDegreesToRadians(angle + 25), r2 = qDegreesToRadians(angle - 25);
        const QPointF wing1 = tip + QPointF(std::cos(r1) * head, -std::sin(r1) * head);
        const QPointF wing2 = tip + QPointF(std::cos(r2) * head, -std::sin(r2) * head);
        const QPointF arrow[] = {wing1, tip, wing2};
        p.drawPolyline(arrow, 3);
    }
    drawLabelBeside(p, a, b, text, 3);
}

} // namespace

SketchView::SketchView(Sketch sketch, double unitPixels, QWidget* parent)
    : QWidget(parent), m_sketch(std::move(sketch)), m_unitPixels(unitPixels) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize SketchView::sizeHint() const {
    return QSize(qCeil((m_sketch.right - m_sketch.left) * m_unitPixels),
                 qCeil((m_sketch.bottom - m_sketch.top) * m_unitPixels));
}

void SketchView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.4));
    const Mapping map = fit(m_sketch, QRectF(rect()).adjusted(2, 2, -2, -2));
    for (const SketchItem& item : m_sketch.items) {
        const QPointF a = map(item.x1, item.y1), b = map(item.x2, item.y2);
        const QString text = FromStoreText(item.text);
        switch (item.kind) {
        case SketchKind::Wire:
            p.drawLine(a, b);
            break;
        case SketchKind::Resistor:
        case SketchKind::Inductor:
        case SketchKind::Capacitor:
            drawPart(p, item.kind, a, b);
            drawLabelBeside(p, a, b, text, QLineF(a, b).length() * 0.42);
            break;
        case SketchKind::Speaker:
            drawSpeaker(p, a, b, map.scale);
            drawLabelBeside(p, a, b, text, map.scale * 0.7);
            break;
        case SketchKind::Terminal:
            p.drawEllipse(a, 3, 3);
            break;
        case SketchKind::Dimension:
            drawDimension(p, a, b, text);
            break;
        case SketchKind::Outline:
            p.drawRect(QRectF(a, b));
            break;
        case SketchKind::Circle:
            p.drawEllipse(a, item.x2 * map.scale, item.x2 * map.scale);
            break;
        case SketchKind::Label:
            p.drawText(QRectF(a.x() - 200, a.y() - 20, 400, 40), Qt::AlignCenter, text);
            break;
        }
    }
}

} // namespace tavrel
