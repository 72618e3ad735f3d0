// Paint boxes of the results tabs: ChartBox draws one or more chart objects in a grid of
// cells, PolarBox the two polar diagrams. Both repaint at any size from the chart objects.
#pragma once

#include "charts/tv_chart.h"
#include "charts/tv_polar.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

namespace tavrel {

class ChartBox : public QWidget {
    Q_OBJECT
public:
    /// `count` charts in rows of `columns` cells; the box owns the chart objects.
    ChartBox(int count, int columns, const QImage& placeholder, QWidget* parent = nullptr);

    int chartCount() const { return static_cast<int>(m_charts.size()); }
    TVChart& chart(int index) { return *m_charts.at(static_cast<std::size_t>(index)); }
    /// Cell of chart `index` in widget coordinates.
    QRect cellRect(int index) const;
    /// Draws all charts into `rect` of any paint device.
    void paintCharts(QPainter& painter, const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect cellIn(const QRect& area, int index) const;

    std::vector<std::unique_ptr<TVChart>> m_charts;
    int m_columns;
    QImage m_placeholder;
};

class PolarBox : public QWidget {
    Q_OBJECT
public:
    explicit PolarBox(QWidget* parent = nullptr);

    TVPolar& horizontal() { return m_horizontal; }
    TVPolar& vertical() { return m_vertical; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TVPolar m_horizontal;
    TVPolar m_vertical;
};

} // namespace tavrel
