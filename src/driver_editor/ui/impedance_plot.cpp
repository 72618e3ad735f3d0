#include "driver_editor/ui/impedance_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavrel {

ImpedancePlot::ImpedancePlot(QWidget* parent) : QWidget(parent) {
    setObjectName("PlotImpedanceFit");
}

void ImpedancePlot::SetCurves(const ImpedanceCurve& measured, const ImpedanceFit* fit) {
    m_measured = measured;
    m_fitted.clear();
    for (double f : fit ? measured.f : std::vector<double>{}) {
        m_fitted.push_back(CAbs(FittedImpedance(*fit, f)));
    }
    update();
}

void ImpedancePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QRectF area = QRectF(rect()).adjusted(50, 20, -15, -35);
    painter.setPen(Qt::black);
    painter.drawRect(area);
    if (m_measured.f.size() < 2) {
        painter.drawText(area, Qt::AlignCenter, "No imported impedance");
        return;
    }
    const double f0 = m_measured.f.front(), f1 = m_measured.f.back();
    double zMax = *std::max_element(m_measured.magnitude.begin(), m_measured.magnitude.end());
    for (double z : m_fitted) {
        zMax = std::max(zMax, z);
    }
    zMax *= 1.1;
    const auto x = [&](double f) {
        return area.left() + area.width() * std::log(f / f0) / std::log(f1 / f0);
    };
    const auto y = [&](double z) { return area.bottom() - area.height() * z / zMax; };
    painter.setPen(QColor(210, 210, 210));
    for (double decade = std::pow(10.0, std::ceil(std::log10(f0))); decade <= f1; decade *= 10) {
        painter.drawLine(QPointF(x(decade), area.top()), QPointF(x(decade), area.bottom()));
        painter.setPen(Qt::black);
        const double labelX = std::min(x(decade) - 15, area.right() - 55);
        painter.drawText(QPointF(labelX, area.bottom() + 15), QString("%1 Hz").arg(decade));
        painter.setPen(QColor(210, 210, 210));
    }
    painter.setPen(Qt::black);
    for (int i = 0; i <= 4; ++i) {
        const double z = zMax * i / 4;
        painter.drawText(QPointF(5, y(z) + 4), QString::number(z, 'f', 0) + " ohm");
    }
    const auto draw = [&](const std::vector<double>& z, const QColor& colour) {
        QPainterPath path;
        for (std::size_t i = 0; i < z.size(); ++i) {
            const QPointF p(x(m_measured.f[i]), y(z[i]));
            i == 0 ? path.moveTo(p) : path.lineTo(p);
        }
        painter.setPen(QPen(colour, 1.5));
        painter.drawPath(path);
    };
    draw(m_measured.magnitude, Qt::black);
    draw(m_fitted, Qt::red);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(area.left() + 8, area.top() + 16), "measured");
    painter.setPen(Qt::red);
    painter.drawText(QPointF(area.left() + 8, area.top() + 32), "fitted");
}

} // namespace tavrel
