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

    SchematicPaintBox(Source source, ClickHandler onClick, QWidget* parent = nullptr);
    void SetMetrics(const SchematicMetrics& metrics, int fontPoints);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Source m_source;
    ClickHandler m_onClick;
    SchematicMetrics m_metrics;
    int m_fontPoints = 8;
};

} // namespace tavrel
