#include "charts/ui/chart_tab_set.h"

#include <QTabWidget>

namespace tavrel {

ChartTabSet::ChartTabSet(QTabWidget& tabs, const QImage& placeholder)
    : m_tabs(tabs), m_response(new ResponseChartTab(placeholder)),
      m_directions(new DirectionsChartTab(placeholder)),
      m_drivers1to4(new DriverChartsTab(0, placeholder)),
      m_drivers5to8(new DriverChartsTab(4, placeholder)), m_phase(new PhaseChartTab(placeholder)),
      m_maxSpl(new MaxSplChartTab(placeholder)),
      m_voltage(new SingleChartTab(ChartKind::Voltage, placeholder)),
      m_directivity(new SingleChartTab(ChartKind::Directivity, placeholder)),
      m_electricalPhase(new SingleChartTab(ChartKind::ElectricalPhase, placeholder)),
      m_groupDelay(new SingleChartTab(ChartKind::GroupDelay, placeholder)),
      m_impulse(new SingleChartTab(ChartKind::ImpulseResponse, placeholder)),
      m_step(new SingleChartTab(ChartKind::StepResponse, placeholder)), m_polar(new PolarChartTab),
      m_excursion(new LevelChartTab(ChartKind::Excursion, m_inputLevel, placeholder)),
      m_ventVelocity(new LevelChartTab(ChartKind::VentVelocity, m_inputLevel, placeholder)) {
    m_tabs.addTab(m_response, "Frequency response.");
    m_tabs.addTab(m_directions, "Frequency response directions");
    m_tabs.addTab(m_drivers1to4, "Driver");
    m_tabs.addTab(m_drivers5to8, "Driver 5..8");
    m_tabs.addTab(m_phase, "Phase response");
    m_tabs.addTab(m_maxSpl, "Max. SPL");
    m_tabs.addTab(m_excursion, "Excursion");
    m_tabs.addTab(m_ventVelocity, "Vent air velocity");
    m_tabs.addTab(m_voltage, "Frequency response electr..");
    m_tabs.addTab(m_directivity, "Directivity");
    m_tabs.addTab(m_electricalPhase, "Electr. phase.");
    m_tabs.addTab(m_groupDelay, "Group delay");
    m_tabs.addTab(m_impulse, "Impulse response");
    m_tabs.addTab(m_step, "Step response");
    m_tabs.addTab(m_polar, "Polar plot");
    m_tabs.setTabVisible(m_tabs.indexOf(m_electricalPhase), false);
    m_tabs.setTabVisible(m_tabs.indexOf(m_drivers5to8), false);
    m_chartTabs = {m_response,        m_directions, m_drivers1to4,  m_drivers5to8, m_phase,
                   m_maxSpl,          m_excursion,  m_ventVelocity, m_voltage,     m_directivity,
                   m_electricalPhase, m_groupDelay, m_impulse,      m_step};
}

QStringList ChartTabSet::updateCharts(const TResult& result, const TProjekt& projekt) {
    QStringList errors;
    for (ChartTab* tab : m_chartTabs) {
        errors += tab->updateFromResults(result, projekt);
    }
    m_polar->updateFromResults(result, projekt);
    return errors;
}

void ChartTabSet::storeAsReference() {
    for (ChartTab* tab : m_chartTabs) {
        tab->storeAsReference();
    }
}

void ChartTabSet::clearReference() {
    for (ChartTab* tab : m_chartTabs) {
        tab->clearReference();
    }
}

void ChartTabSet::setReferenceFromResults(const TResult& result, const TProjekt& projekt) {
    for (ChartTab* tab : m_chartTabs) {
        tab->setReferenceFromResults(result, projekt);
    }
}

void ChartTabSet::showDriverTabs(int driverCount) {
    const bool many = driverCount > 4;
    m_tabs.setTabVisible(m_tabs.indexOf(m_drivers5to8), many);
    m_tabs.setTabText(m_tabs.indexOf(m_drivers1to4), many ? "Driver 1..4" : "Driver");
}

} // namespace tavrel
