#include "foundation/ui/wheel_stepper.h"

#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace tavrel {

int TakeWheelNotches(const QWheelEvent& event, int& rest) {
    const QPoint delta = event.angleDelta();
    rest += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = rest / QWheelEvent::DefaultDeltasPerStep;
    rest -= notches * QWheelEvent::DefaultDeltasPerStep;
    return notches;
}

namespace {

class WheelStepper : public QObject {
public:
    WheelStepper(QLineEdit* edit, int width, StepFunction step, std::function<void()> stepped)
        : QObject(edit), m_edit(edit), m_width(width), m_step(std::move(step)),
          m_stepped(std::move(stepped)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            const int notches = TakeWheelNotches(*wheel, m_rest);
            stepBy(notches, wheel->modifiers().testFlag(Qt::ControlModifier));
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int notches = key->key() == Qt::Key_Up ? 1 : key->key() == Qt::Key_Down ? -1 : 0;
            if (notches != 0) {
                stepBy(notches, key->modifiers().testFlag(Qt::ControlModifier));
                return true;
            }
        }
        return false;
    }

private:
    void stepBy(int notches, bool fine) {
        if (notches == 0 || !m_edit->isEnabled() || m_edit->isReadOnly()) {
            return;
        }
        const double value = TextToFloat(ToStoreText(m_edit->text()));
        const QString text = FromStoreText(FloatToWidth(m_width, m_step(value, notches, fine)));
        if (text == m_edit->text()) {
            return;
        }
        m_edit->setText(text);
        if (m_stepped) {
            m_stepped();
        }
    }

    QLineEdit* m_edit;
    int m_width;
    StepFunction m_step;
    std::function<void()> m_stepped;
    int m_rest = 0;
};

} // namespace

void InstallWheelStepper(QLineEdit* edit, int width, StepFunction step,
                         std::function<void()> stepped) {
    edit->installEventFilter(new WheelStepper(edit, width, std::move(step), std::move(stepped)));
}

} // namespace tavrel
