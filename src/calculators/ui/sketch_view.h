// Paints a Sketch (a circuit or dimension drawing) scaled to the widget, keeping its
// proportions. Lines, symbols and text are drawn as vectors, so the picture stays sharp on
// any screen resolution.
#pragma once

#include "calculators/sketch.h"

#include <QWidget>

namespace tavrel {

class SketchView : public QWidget {
    Q_OBJECT
public:
    /// `unitPixels` is the preferred size of one sketch unit.
    SketchView(Sketch sketch, double unitPixels, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Sketch m_sketch;
    double m_unitPixels;
};

} // namespace tavrel
