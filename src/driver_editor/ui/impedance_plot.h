// The measured impedance magnitude and the fitted model's drawn together on a log frequency
// axis, so the builder sees where the fit departs from the measurement.
#pragma once

#include "driver_editor/impedance_fit.h"

#include <QWidget>
#include <optional>

namespace tavrel {

class ImpedancePlot : public QWidget {
    Q_OBJECT
public:
    explicit ImpedancePlot(QWidget* parent = nullptr);
    /// The measurement, and the fit when there is one.
    void SetCurves(const ImpedanceCurve& measured, const ImpedanceFit* fit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImpedanceCurve m_measured;
    std::vector<double> m_fitted;
};

} // namespace tavrel
