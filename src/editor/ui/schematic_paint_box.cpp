#include "editor/ui/schematic_paint_box.h"

#include "editor/ui/schematic_painter.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavrel {

SchematicPaintBox::SchematicPaintBox(Source source, ClickHandler onClick, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)), m_onClick(std::move(onClick)) {
    setObjectName("PaintBox1");
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
}

void SchematicPaintBox::SetMetrics(const SchematicMetrics& metrics, int fontPoints) {
    m_metrics = metrics;
    m_fontPoints = fontPoints;
    const EditorWindowSize size = SchematicPictureSize(metrics);
    setFixedSize(size.width, size.height);
    update();
}

void SchematicPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintSchematic(painter, m_source(), m_fontPoints);
}

void SchematicPaintBox::mousePressEvent(QMouseEvent* event) {
    const MouseButton button = event->button() == Qt::LeftButton    ? MouseButton::Left
                               : event->button() == Qt::RightButton ? MouseButton::Right
                                                                    : MouseButton::Other;
    const auto modifiers = event->modifiers();
    m_onClick(button, modifiers.testFlag(Qt::ShiftModifier),
              modifiers.testFlag(Qt::ControlModifier), event->position().toPoint());
}

void SchematicPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool overSlot = HitSlot(m_metrics, {p.x(), p.y()}) >= 0;
    setCursor(overSlot ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace tavrel
