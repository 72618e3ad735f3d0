#include "editor/ui/schematic_paint_box.h"

#include "editor/ui/schematic_painter.h"
#include "foundation/ui/wheel_stepper.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tavrel {

SchematicPaintBox::SchematicPaintBox(Source source, ClickHandler onClick, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)), m_onClick(std::move(onClick)) {
    setObjectName("PaintBox1");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // + and − tune the part under the mouse
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
    m_mouse = p;
    const int slot = HitSlot(m_metrics, {p.x(), p.y()});
    setCursor(slot >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (m_tip && slot != m_tipSlot) {
        m_tipSlot = slot; // loads are computed once per slot the mouse enters
        setToolTip(slot >= 0 ? m_tip(slot) : QString());
    }
}

void SchematicPaintBox::enterEvent(QEnterEvent* event) {
    // The keys + and − act on the part under the mouse, so the view takes the keyboard.
    setFocus(Qt::MouseFocusReason);
    QWidget::enterEvent(event);
}

void SchematicPaintBox::wheelEvent(QWheelEvent* event) {
    const int notches = TakeWheelNotches(*event, m_wheelRest);
    const auto modifiers = event->modifiers();
    m_mouse = event->position().toPoint();
    if (notches != 0 && m_onTune) {
        m_onTune(m_mouse, notches, modifiers.testFlag(Qt::ShiftModifier),
                 modifiers.testFlag(Qt::ControlModifier));
    }
    event->accept();
}

void SchematicPaintBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const int notches = key == Qt::Key_Plus ? 1 : key == Qt::Key_Minus ? -1 : 0;
    if (notches == 0 || !m_onTune || !rect().contains(m_mouse)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto modifiers = event->modifiers();
    m_onTune(m_mouse, notches, modifiers.testFlag(Qt::ShiftModifier),
             modifiers.testFlag(Qt::ControlModifier));
}

} // namespace tavrel
