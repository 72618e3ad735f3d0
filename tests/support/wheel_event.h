// Wheel notches sent to a widget as the window system would deliver them.
#pragma once

#include <QApplication>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWidget>

namespace tavrel::test {

/// Sends `notches` wheel notches (positive: away from the user) at `position` of `widget`.
inline void Wheel(QWidget* widget, QPoint position, int notches,
                  Qt::KeyboardModifiers modifiers = {}) {
    // An event needs a device; the default one Qt makes on demand is torn down after the
    // application at exit and crashes there, so the events carry one that lives on.
    static const auto* mouse = new QPointingDevice("test mouse", 1, QInputDevice::DeviceType::Mouse,
                                                   QPointingDevice::PointerType::Generic,
                                                   QInputDevice::Capability::Scroll, 1, 5);
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(),
                      QPoint(0, QWheelEvent::DefaultDeltasPerStep * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false, Qt::MouseEventNotSynthesized, mouse);
    QApplication::sendEvent(widget, &event);
}

} // namespace tavrel::test
