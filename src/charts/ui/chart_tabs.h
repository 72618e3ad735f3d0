// The results tabs of the main window. Each tab owns its chart objects and its controls;
// the main window creates the tabs once and calls updateFromResults after every hand-over
// of results and after every change of the view options.
#pragma once

#include "charts/chart_views.h"
#include "charts/ui/chart_box.h"
#include "engine/result.h"
#include "model/projekt.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace tavrel {

/// A tab of one or more response charts.
class ChartTab : public QWidget {
    Q_OBJECT
public:
    /// Refills every chart of the tab and repaints it. Returns the failures (one text per
    /// failed chart, "Unerwarteter Fehler: UpdateCharts mit " + chart name); the other charts
    /// are still updated. The tab refills from `result` and `projekt` again when one of its
    /// own controls changes, so both must stay alive until the next call (the main window's
    /// displayed results and current project do).
    QStringList updateFromResults(const TResult& result, const TProjekt& projekt);
    /// Fills the reference curves from another project's results (its own view options).
    void setReferenceFromResults(const TResult& result, const TProjekt& projekt);
    /// Keeps the current curves as the reference curves.
    void storeAsReference();
    void clearReference();

    ChartBox* chartBox() const { return m_box; }

signals:
    /// A chart failed while refilling after a change of one of the tab's own controls.
    void chartUpdateFailed(const QString& message);

protected:
    ChartTab(int chartCount, int columns, const QImage& placeholder, QWidget* parent);

    /// Name of chart `index` in failure messages.
    virtual std::string chartName(int index) const = 0;
    virtual void fillChart(int index, TVChart& chart, const TResult& result,
                           const TProjekt& projekt) = 0;
    /// Adjusts the tab's own controls to the results before the charts are filled.
    virtual void adjustControls(const TResult& /*result*/) {}
    /// Row below the charts for the tab's controls (created on first use).
    QHBoxLayout* controlRow();
    /// Refills from the results of the last update, after a control changed.
    void refill();

private:
    std::vector<std::string> fillAll(const TResult& result, const TProjekt& projekt);

    ChartBox* m_box;
    QHBoxLayout* m_controls = nullptr;
    const TResult* m_result = nullptr;
    const TProjekt* m_projekt = nullptr;
};

/// "Frequency response.": the whole speaker with its drivers, amplifier impedances and the
/// energy response (check boxes CB_FgangAchseEinzel, CB_Impedanz, CB_FgangEnergie).
class ResponseChartTab : public ChartTab {
    Q_OBJECT
public:
    explicit ResponseChartTab(const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;

private:
    QCheckBox* m_singleDrivers;
    QCheckBox* m_impedance;
    QCheckBox* m_energy;
};

/// "Frequency response directions": up and left in the top row, down and right below.
class DirectionsChartTab : public ChartTab {
    Q_OBJECT
public:
    explicit DirectionsChartTab(const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;
};

/// Four driver charts (drivers firstDriver+1 .. firstDriver+4), two per row.
class DriverChartsTab : public ChartTab {
    Q_OBJECT
public:
    /// `firstDriver` is 0-based: 0 for the tab "Driver 1..4", 4 for "Driver 5..8".
    DriverChartsTab(int firstDriver, const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;

private:
    int m_firstDriver;
};

/// "Phase response": CBPhaRueck, EditPhaBezug and the per-driver boxes CBPha1..CBPha8.
class PhaseChartTab : public ChartTab {
    Q_OBJECT
public:
    explicit PhaseChartTab(const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;
    void adjustControls(const TResult& result) override;

private:
    ChartViewOptions options() const;

    QCheckBox* m_rear;
    QLineEdit* m_distance;
    std::array<QCheckBox*, MaxChassis> m_drivers{};
};

/// "Max. SPL": maximum input voltage in the upper half, maximum level in the lower half.
class MaxSplChartTab : public ChartTab {
    Q_OBJECT
public:
    explicit MaxSplChartTab(const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;
};

/// A tab with one chart without controls: kind Voltage ("Frequency response electr.."),
/// Directivity, ElectricalPhase ("Electr. phase."), GroupDelay, ImpulseResponse or
/// StepResponse.
class SingleChartTab : public ChartTab {
    Q_OBJECT
public:
    SingleChartTab(ChartKind kind, const QImage& placeholder, QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;

private:
    ChartKind m_kind;
};

/// The polar diagrams with the frequency scroll bar (ScrollBarPolar) and its label
/// (LabelPolarFrequency).
class PolarChartTab : public QWidget {
    Q_OBJECT
public:
    explicit PolarChartTab(QWidget* parent = nullptr);

    /// Same contract as ChartTab::updateFromResults.
    void updateFromResults(const TResult& result, const TProjekt& projekt);
    PolarBox* polarBox() const { return m_box; }
    QScrollBar* scrollBar() const { return m_scroll; }

private:
    void showFrequency(int index);

    PolarBox* m_box;
    QScrollBar* m_scroll;
    QLabel* m_label;
    const TResult* m_result = nullptr;
};

} // namespace tavrel
