#include "app/ui/tuning_panel.h"

#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"
#include "foundation/ui/wheel_stepper.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrel {

namespace {

constexpr int FieldWidth = 7;
enum Column { ColAmp, ColName, ColValue, ColUnit, ColumnCount };

QString valueText(double value) {
    return FromStoreText(FloatToWidth(FieldWidth, value));
}

} // namespace

TuningPanel::TuningPanel(Host host, QWidget* parent) : QWidget(parent), m_host(std::move(host)) {
    setObjectName("TuningPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName("TuningTable");
    m_table->setHorizontalHeaderLabels({"Amplifier", "Name", "Value", "Unit"});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int index, int) {
        const TuningRow& row = m_rows[static_cast<std::size_t>(index)];
        if (row.target == TuningTarget::Part && m_host.openPart) {
            m_host.openPart(row.amp, row.slot);
        }
    });
}

QLineEdit* TuningPanel::Field(int index) const {
    return qobject_cast<QLineEdit*>(m_table->cellWidget(index, ColValue));
}

void TuningPanel::Refresh() {
    if (TuningRows(m_host.project()) != m_rows) {
        rebuild();
        return;
    }
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        QLineEdit* field = Field(i);
        if (!(field->hasFocus() && field->isModified())) {
            field->setText(valueText(RowValue(m_host.project(), m_rows[i])));
            field->setModified(false);
        }
    }
}

void TuningPanel::rebuild() {
    m_rows = TuningRows(m_host.project());
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        const TuningRow& row = m_rows[i];
        m_table->setItem(i, ColAmp, new QTableWidgetItem(QString::number(row.amp + 1)));
        m_table->setItem(i, ColName, new QTableWidgetItem(QString::fromStdString(row.name)));
        m_table->setItem(i, ColUnit, new QTableWidgetItem(FromStoreText(row.unit)));
        auto* field = new QLineEdit(valueText(RowValue(m_host.project(), row)), m_table);
        field->setObjectName(QString("Tune_%1_%2")
                                 .arg(row.amp + 1)
                                 .arg(QString::fromStdString(row.name).remove(' ')));
        connect(field, &QLineEdit::editingFinished, this, [this, i] { fieldConfirmed(i); });
        // A step goes from the project's value, not from the rounded text in the field.
        InstallWheelStepper(
            field, FieldWidth,
            [this, i](double, int notches, bool fine) {
                const TuningRow& r = m_rows[static_cast<std::size_t>(i)];
                const double value =
                    SteppedRowValue(m_host.project(), r, notches, fine, m_host.seriesStep());
                m_host.tune(r, value);
                return RowValue(m_host.project(), r);
            },
            nullptr);
        m_table->setCellWidget(i, ColValue, field);
    }
}

void TuningPanel::fieldConfirmed(int index) {
    QLineEdit* field = Field(index);
    if (!field->isModified()) {
        return;
    }
    field->setModified(false);
    const TuningRow row = m_rows[static_cast<std::size_t>(index)];
    m_host.tune(row, TextToFloat(ToStoreText(field->text())));
    field->setText(valueText(RowValue(m_host.project(), row)));
}

} // namespace tavrel
