#include "charts/ui/chart_tabs.h"

#include "charts/chart_selection.h"
#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

namespace tavrel {

ChartTab::ChartTab(int chartCount, int columns, const QImage& placeholder, QWidget* parent)
    : QWidget(parent), m_box(new ChartBox(chartCount, columns, placeholder, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box, 1);
}

QHBoxLayout* ChartTab::controlRow() {
    if (m_controls == nullptr) {
        m_controls = new QHBoxLayout;
        m_controls->setContentsMargins(6, 2, 6, 4);
        static_cast<QVBoxLayout*>(layout())->addLayout(m_controls);
    }
    return m_controls;
}

std::vector<std::string> ChartTab::fillAll(const TResult& result, const TProjekt& projekt) {
    std::vector<std::string> errors;
    adjustControls(result);
    for (int i = 0; i < m_box->chartCount(); ++i) {
        RunChartUpdate(
            chartName(i), [&] { fillChart(i, m_box->chart(i), result, projekt); }, errors);
    }
    m_box->update();
    return errors;
}

QStringList ChartTab::updateFromResults(const TResult& result, const TProjekt& projekt) {
    m_result = &result;
    m_projekt = &projekt;
    QStringList messages;
    for (const std::string& error : fillAll(result, projekt)) {
        messages.append(FromStoreText(error));
    }
    return messages;
}

void ChartTab::refill() {
    if (m_result == nullptr || m_projekt == nullptr) {
        return;
    }
    for (const std::string& error : fillAll(*m_result, *m_projekt)) {
        emit chartUpdateFailed(FromStoreText(error));
    }
}

void ChartTab::setReferenceFromResults(const TResult& result, const TProjekt& projekt) {
    // Filled like the current curves, in a scratch chart, then kept as the reference.
    auto scratch = std::make_unique<TVChart>();
    for (int i = 0; i < m_box->chartCount(); ++i) {
        fillChart(i, *scratch, result, projekt);
        TVChart& chart = m_box->chart(i);
        for (int slot = 0; slot < TVChart::CurveSlots; ++slot) {
            chart.reference(slot) = scratch->curve(slot);
        }
    }
    m_box->update();
}

void ChartTab::storeAsReference() {
    for (int i = 0; i < m_box->chartCount(); ++i) {
        m_box->chart(i).StoreAsReference();
    }
    m_box->update();
}

void ChartTab::clearReference() {
    for (int i = 0; i < m_box->chartCount(); ++i) {
        m_box->chart(i).ClearReference();
    }
    m_box->update();
}

namespace {

QCheckBox* addCheckBox(QHBoxLayout* row, QWidget* parent, const char* name, const char* caption,
                       bool checked) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    row->addWidget(box);
    return box;
}

} // namespace

ResponseChartTab::ResponseChartTab(const QImage& placeholder, QWidget* parent)
    : ChartTab(1, 1, placeholder, parent) {
    setObjectName("TabFrequencyResponse");
    chartBox()->setObjectName("PaintBoxFgangImp");
    SetStandardTitles(chartBox()->chart(0), ChartKind::Response);
    QHBoxLayout* row = controlRow();
    m_singleDrivers = addCheckBox(row, this, "CB_FgangAchseEinzel", "single drivers", true);
    m_impedance = addCheckBox(row, this, "CB_Impedanz", "impedance", true);
    m_energy = addCheckBox(row, this, "CB_FgangEnergie", "energy frequency response", false);
    row->addStretch(1);
    for (QCheckBox* box : {m_singleDrivers, m_impedance, m_energy}) {
        connect(box, &QCheckBox::toggled, this, &ResponseChartTab::refill);
    }
}

std::string ResponseChartTab::chartName(int) const {
    return "bcFgangImp";
}

void ResponseChartTab::fillChart(int, TVChart& chart, const TResult& result,
                                 const TProjekt& projekt) {
    ChartViewOptions options;
    options.singleDrivers = m_singleDrivers->isChecked();
    options.impedance = m_impedance->isChecked();
    options.energy = m_energy->isChecked();
    FillResponseChart(chart, result, projekt, options);
}

namespace {

constexpr std::array<DirectionPlane, 4> TabPlanes{DirectionPlane::Up, DirectionPlane::Left,
                                                  DirectionPlane::Down, DirectionPlane::Right};

} // namespace

DirectionsChartTab::DirectionsChartTab(const QImage& placeholder, QWidget* parent)
    : ChartTab(4, 2, placeholder, parent) {
    setObjectName("TabFrequencyResponseDirections");
    chartBox()->setObjectName("PaintBoxFgangRicht");
    for (int i = 0; i < 4; ++i) {
        SetStandardTitles(chartBox()->chart(i), ChartKind::Direction, TabPlanes[i]);
    }
}

std::string DirectionsChartTab::chartName(int index) const {
    static constexpr std::array<const char*, 4> names{"bcFgangRichto", "bcFgangRichtl",
                                                      "bcFgangRichtu", "bcFgangRichtr"};
    return names[static_cast<std::size_t>(index)];
}

void DirectionsChartTab::fillChart(int index, TVChart& chart, const TResult& result,
                                   const TProjekt& projekt) {
    FillDirectionChart(chart, result, projekt, TabPlanes[static_cast<std::size_t>(index)]);
}

DriverChartsTab::DriverChartsTab(int firstDriver, const QImage& placeholder, QWidget* parent)
    : ChartTab(4, 2, placeholder, parent), m_firstDriver(firstDriver) {
    setObjectName(QStringLiteral("TabDriver%1").arg(firstDriver + 1));
    chartBox()->setObjectName(QStringLiteral("PaintBoxFgangChas%1").arg(firstDriver + 1));
    for (int i = 0; i < 4; ++i) {
        SetStandardTitles(chartBox()->chart(i), ChartKind::Driver);
    }
}

std::string DriverChartsTab::chartName(int index) const {
    return "bcFgangChas[" + std::to_string(m_firstDriver + index + 1);
}

void DriverChartsTab::fillChart(int index, TVChart& chart, const TResult& result,
                                const TProjekt& projekt) {
    FillDriverChart(chart, result, projekt, m_firstDriver + index);
}

PhaseChartTab::PhaseChartTab(const QImage& placeholder, QWidget* parent)
    : ChartTab(1, 1, placeholder, parent) {
    setObjectName("TabPhaseResponse");
    chartBox()->setObjectName("PaintBoxFgangPha");
    SetStandardTitles(chartBox()->chart(0), ChartKind::Phase);
    QHBoxLayout* row = controlRow();
    for (int d = 0; d < MaxChassis; ++d) {
        const std::string name = "CBPha" + std::to_string(d + 1);
        m_drivers[d] = addCheckBox(row, this, name.c_str(), "", false);
        m_drivers[d]->hide(); // shown once results name the driver
        connect(m_drivers[d], &QCheckBox::toggled, this, &PhaseChartTab::refill);
    }
    row->addStretch(1);
    m_rear = addCheckBox(row, this, "CBPhaRueck", "vented / rear side", false);
    connect(m_rear, &QCheckBox::toggled, this, &PhaseChartTab::refill);
    row->addWidget(new QLabel("reference distance [cm]:", this));
    m_distance = new QLineEdit("0", this);
    m_distance->setObjectName("EditPhaBezug");
    m_distance->setMaximumWidth(80);
    row->addWidget(m_distance);
    connect(m_distance, &QLineEdit::textChanged, this, &PhaseChartTab::refill);
}

std::string PhaseChartTab::chartName(int) const {
    return "bcFgangPha";
}

ChartViewOptions PhaseChartTab::options() const {
    ChartViewOptions options;
    options.phaseRear = m_rear->isChecked();
    options.phaseReferenceCm = TextToFloat(ToStoreText(m_distance->text()));
    for (int d = 0; d < MaxChassis; ++d) {
        options.phaseDriver[d] = m_drivers[d]->isChecked();
    }
    return options;
}

void PhaseChartTab::adjustControls(const TResult& result) {
    const int drivers = std::clamp<int>(result.nChassis, 0, MaxChassis);
    for (int d = 0; d < MaxChassis; ++d) {
        QCheckBox* box = m_drivers[d];
        const QSignalBlocker quiet(box); // this is part of a refill already
        if (d >= drivers) {
            box->setChecked(false);
            box->hide();
            continue;
        }
        box->setText(FromStoreText(result.ChassisName[d].view()) +
                     QStringLiteral(" (%1)").arg(d + 1));
        if (box->isHidden()) {
            box->setChecked(true); // a driver that appears starts with its curve shown
            box->show();
        }
    }
}

void PhaseChartTab::fillChart(int, TVChart& chart, const TResult& result, const TProjekt& projekt) {
    FillPhaseChart(chart, result, projekt, options());
}

MaxSplChartTab::MaxSplChartTab(const QImage& placeholder, QWidget* parent)
    : ChartTab(2, 1, placeholder, parent) {
    setObjectName("TabMaxSpl");
    chartBox()->setObjectName("PaintBoxMaxSpl");
    SetStandardTitles(chartBox()->chart(0), ChartKind::Umax);
    SetStandardTitles(chartBox()->chart(1), ChartKind::MaxSpl);
}

std::string MaxSplChartTab::chartName(int index) const {
    return index == 0 ? "bcFgangUmax" : "bcFgangMaxPeg";
}

void MaxSplChartTab::fillChart(int index, TVChart& chart, const TResult& result,
                               const TProjekt& projekt) {
    if (index == 0) {
        FillUmaxChart(chart, result, projekt);
    } else {
        FillMaxSplChart(chart, result, projekt);
    }
}

SingleChartTab::SingleChartTab(ChartKind kind, const QImage& placeholder, QWidget* parent)
    : ChartTab(1, 1, placeholder, parent), m_kind(kind) {
    setObjectName(QString::fromStdString("Tab" + chartName(0)));
    chartBox()->setObjectName(QString::fromStdString("PaintBox" + chartName(0)));
    SetStandardTitles(chartBox()->chart(0), kind);
}

std::string SingleChartTab::chartName(int) const {
    switch (m_kind) {
    case ChartKind::Voltage:
        return "bcUChassis";
    case ChartKind::Directivity:
        return "bcFgnagBmass";
    case ChartKind::ElectricalPhase:
        return "bcPhaseElectr";
    case ChartKind::GroupDelay:
        return "bcGroupDelay";
    case ChartKind::ImpulseResponse:
        return "bcImpulse";
    case ChartKind::StepResponse:
        return "bcStep";
    default:
        return "bcChart";
    }
}

void SingleChartTab::fillChart(int, TVChart& chart, const TResult& result,
                               const TProjekt& projekt) {
    ChartSelection selection;
    selection.kind = m_kind;
    FillSelectedChart(chart, selection, result, projekt);
}

PolarChartTab::PolarChartTab(QWidget* parent)
    : QWidget(parent), m_box(new PolarBox(this)), m_scroll(new QScrollBar(Qt::Horizontal, this)),
      m_label(new QLabel(this)) {
    setObjectName("TabPolar");
    m_box->setObjectName("PaintBoxPolar");
    m_scroll->setObjectName("ScrollBarPolar");
    m_label->setObjectName("LabelPolarFrequency");
    m_scroll->setRange(0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box, 1);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 2, 6, 4);
    row->addWidget(m_scroll, 1);
    row->addWidget(m_label);
    layout->addLayout(row);
    connect(m_scroll, &QScrollBar::valueChanged, this, &PolarChartTab::showFrequency);
}

void PolarChartTab::updateFromResults(const TResult& result, const TProjekt& projekt) {
    m_result = &result;
    FillPolarHeader(m_box->horizontal(), result, projekt);
    FillPolarHeader(m_box->vertical(), result, projekt);
    {
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setMaximum(PolarScrollMaximum(result));
    }
    showFrequency(m_scroll->value());
}

void PolarChartTab::showFrequency(int index) {
    if (m_result == nullptr) {
        return;
    }
    FillPolarLevels(m_box->horizontal(), m_box->vertical(), *m_result, index);
    m_label->setText(FromStoreText(PolarFrequencyLabel(*m_result, index)));
    m_box->update();
}

} // namespace tavrel
