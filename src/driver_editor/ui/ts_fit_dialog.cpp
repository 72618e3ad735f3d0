#include "driver_editor/ui/ts_fit_dialog.h"

#include "driver_editor/impedance_curve.h"
#include "driver_editor/ui/impedance_plot.h"
#include "foundation/ui/store_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>

namespace tavrel {

namespace {

QString number(double v) {
    return QString::number(v, 'g', 4);
}

/// A typed figure in the dialog's unit, as an SI value (0 when not a number).
double siValue(const QLineEdit* edit, double scale) {
    bool ok = false;
    const double v = edit->text().replace(',', '.').toDouble(&ok);
    return ok ? v / scale : 0.0;
}

} // namespace

TsFitDialog::TsFitDialog(const TChassis& driver, QWidget* parent)
    : QDialog(parent), m_driver(std::make_unique<TChassis>(driver)),
      m_free(ImpedanceCurveOf(driver)) {
    setWindowTitle("Fit Thiele-Small parameters from impedance");
    setObjectName("TsFitDialog");
    auto* layout = new QHBoxLayout(this);
    m_plot = new ImpedancePlot(this);
    m_plot->setMinimumSize(460, 340);
    layout->addWidget(m_plot, 1);

    auto* side = new QVBoxLayout;
    auto* form = new QFormLayout;
    m_method = new QComboBox(this);
    m_method->setObjectName("ListVasMethod");
    m_method->addItems({"none (free air only)", "added mass", "known closed box"});
    m_figure = new QLineEdit(this);
    m_figure->setObjectName("EditVasFigure");
    m_area = new QLineEdit(driver.Amem > 0.0 ? number(driver.Amem * 1e4) : QString(), this);
    m_area->setObjectName("EditSd");
    auto* choose = new QPushButton("Second curve ...", this);
    choose->setObjectName("BtnSecondCurve");
    m_secondName = new QLabel("(none)", this);
    form->addRow("Free-air curve:", new QLabel(QString("%1 points").arg(m_free.f.size()), this));
    form->addRow("Vas method:", m_method);
    form->addRow("Mass [g] / volume [l]:", m_figure);
    form->addRow("Sd [cm2]:", m_area);
    form->addRow(choose, m_secondName);
    side->addLayout(form);
    auto* fit = new QPushButton("Fit", this);
    fit->setObjectName("BtnFit");
    side->addWidget(fit);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    side->addWidget(m_message);
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName("TableFitted");
    m_table->setHorizontalHeaderLabels({"", "current", "fitted", "adopt"});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumSize(330, 300);
    side->addWidget(m_table, 1);
    m_derived = new QLabel(this);
    m_derived->setWordWrap(true);
    side->addWidget(m_derived);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    side->addWidget(buttons);
    layout->addLayout(side);

    connect(choose, &QPushButton::clicked, this, &TsFitDialog::chooseSecondCurve);
    connect(fit, &QPushButton::clicked, this, &TsFitDialog::Fit);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Fit();
}

TsFitDialog::~TsFitDialog() = default;

bool TsFitDialog::LoadSecondCurve(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    if (!in) {
        return false;
    }
    m_second = ImpedanceCurveOf(ReadMeasurementPoints(in));
    m_secondName->setText(QFileInfo(path).fileName());
    return true;
}

void TsFitDialog::chooseSecondCurve() {
    const QString path = QFileDialog::getOpenFileName(this, "Second impedance curve");
    if (!path.isEmpty() && !LoadSecondCurve(path)) {
        m_message->setText("Cannot open the file " + path + ".");
    }
}

VasInput TsFitDialog::vasInput() const {
    VasInput in;
    in.method = static_cast<VasMethod>(m_method->currentIndex());
    in.Amem = m_area->text().isEmpty() ? 0.0 : siValue(m_area, 1e4);
    if (in.method == VasMethod::AddedMass) {
        in.mass = siValue(m_figure, 1e3);
    } else if (in.method == VasMethod::ClosedBox) {
        in.boxVolume = siValue(m_figure, 1e3);
    }
    return in;
}

void TsFitDialog::Fit() {
    m_result = FitThieleSmall(m_free, m_second, vasInput());
    showResult();
}

void TsFitDialog::showResult() {
    m_plot->SetCurves(m_free, m_result.ok ? &m_result.p.freeAir : nullptr);
    m_message->setText(m_result.ok
                           ? QString("Residual %1 dB").arg(number(m_result.p.freeAir.residualDb))
                           : FromStoreText(m_result.message));
    const std::vector<TsAdoptRow> rows =
        m_result.ok ? AdoptRows(*m_driver, m_result.p) : std::vector<TsAdoptRow>{};
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const TsAdoptRow& r = rows[static_cast<std::size_t>(i)];
        const QString unit = *r.unit ? QString(" %1").arg(r.unit) : QString();
        m_table->setItem(i, 0, new QTableWidgetItem(r.caption));
        m_table->setItem(i, 1, new QTableWidgetItem(number(r.current * r.scale) + unit));
        m_table->setItem(i, 2, new QTableWidgetItem(number(r.fitted * r.scale) + unit));
        auto* adopt = new QCheckBox(m_table);
        adopt->setChecked(true);
        m_table->setCellWidget(i, 3, adopt);
    }
    QString derived;
    if (m_result.ok) {
        const TsParameters& p = m_result.p;
        derived = QString("Qts %1").arg(number(p.Qts));
        const std::pair<const char*, double> extras[] = {
            {"Bl %1 Tm", p.Bl},           {"Mms %1 g", p.Mms * 1e3},
            {"Cms %1 mm/N", p.Cms * 1e3}, {"Rms %1 kg/s", p.Rms},
            {"SPL %1 dB", p.SPL},         {"second curve: residual %1 dB", p.second.residualDb}};
        for (const auto& [text, value] : extras) {
            if (value > 0.0) {
                derived += ", " + QString(text).arg(number(value));
            }
        }
    }
    m_derived->setText(derived);
}

void TsFitDialog::AdoptInto(TChassis& driver) const {
    if (!m_result.ok) {
        return;
    }
    std::vector<bool> chosen;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        const auto* adopt = qobject_cast<QCheckBox*>(m_table->cellWidget(i, 3));
        chosen.push_back(adopt && adopt->isChecked());
    }
    AdoptChosen(driver, m_result.p, chosen);
}

} // namespace tavrel
