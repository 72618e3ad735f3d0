// The paint box of the crossover editor: paints the working network and reports clicks on
// grid slots with the action the mouse key assignment gives them.
#pragma once

#include "editor/click_actions.h"
#include "editor/schematic_drawing.h"

#include <QWidget>
#include <functional>

namespace tavrel {

class SchematicPaintBox : public QWidget {
    Q_OBJECT
public:
    /// Supplies what to paint: the network, the project its drivers come from.
    using Source = std::function<std::vector<SchematicShape>()>;
    /// Receives a click: the button, the modifiers and the position in the view.
    using ClickHandler = std::function<void(MouseButton, bool shift, bool ctrl, QPoint)>;

    /// Receives tuning steps over the view: the position, the notches (positive: up), and
    /// the modifiers.
    using TuneHandler = std::function<void(QPoint, int notches, bool shift, bool ctrl)>;

    SchematicPaintBox(Source source, ClickHandler onClick, QWidget* parent = nullptr);
    void SetMetrics(const SchematicMetrics& metrics, int fontPoints);
    /// Wheel notches and the keys + and − over the view go to `onTune`.
    void SetTuneHandler(TuneHandler onTune) { m_onTune = std::move(onTune); }
    /// The tooltip over a grid slot (empty: none).
    using TipSource = std::function<QString(int slot)>;
    void SetTipSource(TipSource tip) { m_tip = std::move(tip); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    Source m_source;
    ClickHandler m_onClick;
    TuneHandler m_onTune;
    TipSource m_tip;
    int m_tipSlot = -1;
    QPoint m_mouse{-1, -1};
    int m_wheelRest = 0; ///< eighths of a degree not yet used by a whole notch
    SchematicMetrics m_metrics;
    int m_fontPoints = 8;
};

} // namespace tavrel
