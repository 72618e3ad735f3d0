// PairHistogram: a small bar chart of how much the two speakers of each built pair differ.
#pragma once

#include <QWidget>
#include <vector>

namespace tavrel {

class PairHistogram : public QWidget {
    Q_OBJECT
public:
    explicit PairHistogram(QWidget* parent = nullptr);
    /// The largest level difference of every pair, dB; empty clears the chart.
    void SetDifferences(std::vector<double> differences);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_differences;
};

} // namespace tavrel
