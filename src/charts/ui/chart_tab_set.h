// All results tabs of the main window in one place: creates them in a QTabWidget with their
// captions, and updates, references and shows them together.
#pragma once

#include "charts/ui/chart_tabs.h"
#include "charts/ui/level_chart_tabs.h"

#include <QImage>
#include <QStringList>
#include <vector>

class QTabWidget;

namespace tavrel {

class ChartTabSet {
public:
    /// Adds the tabs to `tabs`, which owns them from then on: "Frequency response.",
    /// "Frequency response directions", "Driver" (drivers 1..4), "Driver 5..8", "Phase
    /// response", "Max. SPL", "Excursion", "Vent air velocity", "Frequency response electr..",
    /// "Directivity", "Electr. phase.", "Group delay", "Impulse response", "Step response",
    /// "Polar plot". The electrical phase tab starts hidden, and so does "Driver 5..8" until
    /// more than four drivers exist.
    ChartTabSet(QTabWidget& tabs, const QImage& placeholder);

    /// Refills every chart from the displayed results and the current project and repaints;
    /// both records must stay alive until the next call. Returns the failures of single
    /// charts ("Unerwarteter Fehler: UpdateCharts mit " + chart name).
    QStringList updateCharts(const TResult& result, const TProjekt& projekt);
    /// Every response chart keeps its current curves as the reference curves.
    void storeAsReference();
    void clearReference();
    /// Reference curves computed from another project's results.
    void setReferenceFromResults(const TResult& result, const TProjekt& projekt);
    /// Shows "Driver 5..8" for more than four drivers and captions the first driver tab
    /// "Driver 1..4" then, "Driver" otherwise.
    void showDriverTabs(int driverCount);

    ResponseChartTab* response() const { return m_response; }
    DirectionsChartTab* directions() const { return m_directions; }
    DriverChartsTab* drivers1to4() const { return m_drivers1to4; }
    DriverChartsTab* drivers5to8() const { return m_drivers5to8; }
    PhaseChartTab* phase() const { return m_phase; }
    MaxSplChartTab* maxSpl() const { return m_maxSpl; }
    SingleChartTab* voltage() const { return m_voltage; }
    SingleChartTab* directivity() const { return m_directivity; }
    SingleChartTab* electricalPhase() const { return m_electricalPhase; }
    SingleChartTab* groupDelay() const { return m_groupDelay; }
    SingleChartTab* impulse() const { return m_impulse; }
    SingleChartTab* step() const { return m_step; }
    PolarChartTab* polar() const { return m_polar; }
    LevelChartTab* excursion() const { return m_excursion; }
    LevelChartTab* ventVelocity() const { return m_ventVelocity; }
    /// The input level both level tabs show.
    InputLevelSetting& inputLevel() { return m_inputLevel; }
    /// The tabs with response charts, in tab order.
    const std::vector<ChartTab*>& chartTabs() const { return m_chartTabs; }

private:
    QTabWidget& m_tabs;
    InputLevelSetting m_inputLevel;
    ResponseChartTab* m_response;
    DirectionsChartTab* m_directions;
    DriverChartsTab* m_drivers1to4;
    DriverChartsTab* m_drivers5to8;
    PhaseChartTab* m_phase;
    MaxSplChartTab* m_maxSpl;
    SingleChartTab* m_voltage;
    SingleChartTab* m_directivity;
    SingleChartTab* m_electricalPhase;
    SingleChartTab* m_groupDelay;
    SingleChartTab* m_impulse;
    SingleChartTab* m_step;
    PolarChartTab* m_polar;
    LevelChartTab* m_excursion;
    LevelChartTab* m_ventVelocity;
    std::vector<ChartTab*> m_chartTabs;
};

} // namespace tavrel
