#include "charts/ui/chart_box.h"

#include "charts/ui/chart_painter.h"

#include <QPainter>

namespace tavrel {

ChartBox::ChartBox(int count, int columns, const QImage& placeholder, QWidget* parent)
    : QWidget(parent), m_columns(columns < 1 ? 1 : columns), m_placeholder(placeholder) {
    for (int i = 0; i < count; ++i) {
        m_charts.push_back(std::make_unique<TVChart>());
    }
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted by the charts
}

QRect ChartBox::cellIn(const QRect& area, int index) const {
    const int rows = (chartCount() + m_columns - 1) / m_columns;
    const int row = index / m_columns;
    const int column = index % m_columns;
    const int left = area.left() + area.width() * column / m_columns;
    const int right = area.left() + area.width() * (column + 1) / m_columns;
    const int top = area.top() + area.height() * row / rows;
    const int bottom = area.top() + area.height() * (row + 1) / rows;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect ChartBox::cellRect(int index) const {
    return cellIn(rect(), index);
}

void ChartBox::paintCharts(QPainter& painter, const QRect& area) {
    for (int i = 0; i < chartCount(); ++i) {
        PaintChart(painter, chart(i), cellIn(area, i), m_placeholder);
    }
}

void ChartBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintCharts(painter, rect());
}

PolarBox::PolarBox(QWidget* parent) : QWidget(parent) {
    SetHorizontalPolarTexts(m_horizontal);
    SetVerticalPolarTexts(m_vertical);
    setMinimumSize(200, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PolarBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintPolarPair(painter, m_horizontal, m_vertical, rect());
}

} // namespace tavrel
