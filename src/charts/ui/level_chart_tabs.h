// The tabs "Excursion" and "Vent air velocity". Both follow one input level, entered on either
// tab in V rms or as watts into 8 ohm; the vent tab also sets the audibility limit. The main
// window keeps the level in the settings file.
#pragma once

#include "charts/ui/chart_tabs.h"

#include <QObject>

class QLineEdit;

namespace tavrel {

/// The level both tabs share; `changed` is emitted whenever it takes a new value.
class InputLevelSetting : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    const InputLevel& level() const { return m_level; }
    /// Takes `level` when both numbers are positive and finite; otherwise keeps the old one.
    void setLevel(const InputLevel& level);

signals:
    void changed();

private:
    InputLevel m_level;
};

/// One chart of kind Excursion or VentVelocity with the level fields EditInputVolts and
/// EditInputWatts (and EditVentLimit on the vent tab).
class LevelChartTab : public ChartTab {
    Q_OBJECT
public:
    LevelChartTab(ChartKind kind, InputLevelSetting& setting, const QImage& placeholder,
                  QWidget* parent = nullptr);

protected:
    std::string chartName(int index) const override;
    void fillChart(int index, TVChart& chart, const TResult& result,
                   const TProjekt& projekt) override;

private:
    QLineEdit* addField(const char* name, const char* caption);
    /// Shows the setting in every field that does not already say the same.
    void showLevel();
    void fieldEdited();
    /// Brings the reference curves to the new level: excursion and air velocity grow in
    /// proportion to the voltage, the limit lines stay.
    void rescaleReference();

    ChartKind m_kind;
    InputLevelSetting& m_setting;
    QLineEdit* m_volts = nullptr;
    QLineEdit* m_watts = nullptr;
    QLineEdit* m_limit = nullptr;
    double m_referenceVolts; ///< the level the reference curves were drawn at
};

} // namespace tavrel
