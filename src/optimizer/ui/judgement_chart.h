// The optimizer window's two small drawings: the judgement history chart and the progress
// strip. Their geometry comes from the core (judgement_history.h); these only paint.
#pragma once

#include "optimizer/judgement_history.h"

#include <QWidget>
#include <functional>

namespace tavrel {

class JudgementChart : public QWidget {
    Q_OBJECT
public:
    JudgementChart(const JudgementHistory& history, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const JudgementHistory& m_history;
};

/// A 10 pixel high strip filled to progress/1000; a negative progress leaves it empty.
class ProgressStrip : public QWidget {
    Q_OBJECT
public:
    ProgressStrip(std::function<int()> progress, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<int()> m_progress;
};

} // namespace tavrel
