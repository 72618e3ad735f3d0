#include "optimizer/ui/judgement_chart.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace tavrel {

namespace {

QColor colorOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace

JudgementChart::JudgementChart(const JudgementHistory& history, QWidget* parent)
    : QWidget(parent), m_history(history) {
    setObjectName("JudgementChart");
    setFixedSize(HistoryChartWidth, HistoryChartHeight);
}

void JudgementChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    int captionX = 3, captionY = 10;
    for (const HistoryLine& line : HistoryLines(m_history)) {
        painter.setPen(colorOf(line.color));
        const int advance = painter.fontMetrics().horizontalAdvance(line.caption) + 6;
        if (captionX + advance > width()) {
            captionX = 3;
            captionY += 10;
        }
        painter.drawText(captionX, captionY, line.caption);
        captionX += advance;
        QPolygonF points;
        for (const auto& [x, y] : line.points) {
            points << QPointF(x, y);
        }
        painter.drawPolyline(points);
    }
}

ProgressStrip::ProgressStrip(std::function<int()> progress, QWidget* parent)
    : QWidget(parent), m_progress(std::move(progress)) {
    setObjectName("ProgressStrip");
    setFixedHeight(10);
}

void ProgressStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const int progress = m_progress();
    if (progress < 0) {
        return;
    }
    const double fraction = std::min(progress, 1000) / 1000.0;
    painter.fillRect(QRectF(0, 0, width() * fraction, height()), QColor(0, 0, 160));
}

} // namespace tavrel
