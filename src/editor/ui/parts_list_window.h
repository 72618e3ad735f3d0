// PartsListWindow: "Parts list". One row per crossover part with its value, comment, coil
// resistance, loads at the input level and the rating to order, then the drivers' power. A
// part loaded beyond the rating its comment names, and a driver beyond its rated power, are
// shown red. The main window hands over every new result through PartsListHost.
#pragma once

#include "editor/part_loads.h"

#include <QWidget>
#include <functional>

class QLabel;
class QTableWidget;

namespace tavrel {

struct PartsListHost {
    std::function<const TProjekt&()> project;
    std::function<const TResult&()> result; ///< the results shown in the charts
    std::function<double()> volts;          ///< the input level of the excursion chart
};

class PartsListWindow : public QWidget {
    Q_OBJECT
public:
    explicit PartsListWindow(PartsListHost host, QWidget* parent = nullptr);

    /// Shows the loads of the current results; a hidden window catches up when shown, so
    /// the hand-overs of live tuning cost it nothing.
    void Refresh();
    QTableWidget* Table() const { return m_table; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    PartsListHost m_host;
    QLabel* m_level = nullptr;
    QTableWidget* m_table = nullptr;
};

} // namespace tavrel
