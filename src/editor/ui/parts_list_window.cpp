#include "editor/ui/parts_list_window.h"

#include "editor/parts_table.h"
#include "engine/excursion.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrel {

namespace {

/// Table rows in the order PartsTableRows gives them: the parts, then the drivers.
std::vector<bool> overloadedRows(const NetworkLoads& loads) {
    std::vector<bool> marks;
    for (const PartLoad& part : loads.parts) {
        marks.push_back(part.overComment);
    }
    for (const DriverLoad& driver : loads.drivers) {
        marks.push_back(driver.pmax > 0 && driver.power.pink > driver.pmax);
    }
    return marks;
}

} // namespace

PartsListWindow::PartsListWindow(PartsListHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host)) {
    setObjectName("PartsListWindow");
    setWindowTitle("Parts list");
    auto* layout = new QVBoxLayout(this);
    m_level = new QLabel(this);
    m_level->setObjectName("LabelLevel");
    layout->addWidget(m_level);
    m_table = new QTableWidget(this);
    m_table->setObjectName("TableParts");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table);
    resize(1400, 360);
}

void PartsListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void PartsListWindow::Refresh() {
    if (!isVisible()) {
        return;
    }
    const double volts = m_host.volts();
    m_level->setText(QString("Loads at %1 V rms (%2 W into 8 ohm) at each amplifier's input; sine: "
                             "the largest over frequency, pink: pink noise of that level.")
                         .arg(volts, 0, 'g', 4)
                         .arg(WattsInto8Ohm(volts), 0, 'g', 4));
    const TResult& result = m_host.result();
    const NetworkLoads loads =
        result.Valid ? ComputeLoads(m_host.project(), result, volts) : NetworkLoads{};
    const TableRow& header = PartsTableHeader();
    const std::vector<TableRow> rows = PartsTableRows(m_host.project(), loads, 1);
    const std::vector<bool> marks = overloadedRows(loads);
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(header.size()) - 1); // no Quantity column
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int c = 0; c < m_table->columnCount(); ++c) {
        m_table->setHorizontalHeaderItem(c,
                                         new QTableWidgetItem(QString::fromStdString(header[c])));
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < m_table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromLatin1(rows[r][c]));
            if (marks[r]) {
                item->setForeground(Qt::red);
            }
            m_table->setItem(static_cast<int>(r), c, item);
        }
    }
    m_table->resizeColumnsToContents();
}

} // namespace tavrel
