#include "tolerance/ui/pair_histogram.h"

#include "tolerance/tolerance_bands.h"

#include <QPainter>
#include <algorithm>

namespace tavrel {

namespace {

constexpr int Bins = 16;

} // namespace

PairHistogram::PairHistogram(QWidget* parent) : QWidget(parent) {
    setObjectName("PairHistogram");
    setMinimumSize(260, 110);
}

void PairHistogram::SetDifferences(std::vector<double> differences) {
    m_differences = std::move(differences);
    update();
}

void PairHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    const QRect plot = rect().adjusted(4, textHeight + 2, -4, -textHeight - 4);
    painter.setPen(Qt::black);
    painter.drawText(4, textHeight - 2, "Pairs: largest level difference 200 Hz .. 10 kHz");
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (m_differences.empty()) {
        return;
    }
    const std::vector<int> counts = HistogramCounts(m_differences, Bins);
    const int highest = std::max(1, *std::max_element(counts.begin(), counts.end()));
    const double width = static_cast<double>(plot.width()) / Bins;
    for (int i = 0; i < Bins; ++i) {
        const int height = counts[static_cast<std::size_t>(i)] * plot.height() / highest;
        const QRectF bar(plot.left() + i * width + 1, plot.bottom() - height, width - 2, height);
        painter.fillRect(bar, QColor(70, 110, 190));
    }
    const double largest = *std::max_element(m_differences.begin(), m_differences.end());
    painter.drawText(plot.left(), plot.bottom() + textHeight, "0 dB");
    const QString right = QString::number(largest, 'f', 2) + " dB";
    painter.drawText(plot.right() - metrics.horizontalAdvance(right), plot.bottom() + textHeight,
                     right);
}

} // namespace tavrel
