// The "Tuning" panel: every resistor, capacitor and inductance of every amplifier's network
// and each amplifier's active filter level and frequencies, one row each with a field that
// steps like the wheel over a part (wheel, arrow keys, typed value). Changes go to the host
// at once; double-click on a part asks the host to open it in the part editor.
#pragma once

#include "app/tuning_rows.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLineEdit;
class QTableWidget;

namespace tavrel {

class TuningPanel : public QWidget {
    Q_OBJECT
public:
    struct Host {
        std::function<const TProjekt&()> project;
        /// The E-series table step of the "Tuning series" setting.
        std::function<int()> seriesStep;
        /// Writes `value` (in the row's unit) for `row`, grouped into gestures for undo.
        std::function<void(const TuningRow& row, double value)> tune;
        /// Opens the part in the crossover editor's part editor.
        std::function<void(int amp, int slot)> openPart;
    };

    TuningPanel(Host host, QWidget* parent = nullptr);

    /// Shows the project's rows and values; a field being typed into keeps its text.
    void Refresh();
    const std::vector<TuningRow>& Rows() const { return m_rows; }
    /// The value field of row `index`.
    QLineEdit* Field(int index) const;

private:
    void rebuild();
    void fieldConfirmed(int index);

    Host m_host;
    QTableWidget* m_table = nullptr;
    std::vector<TuningRow> m_rows;
};

} // namespace tavrel
