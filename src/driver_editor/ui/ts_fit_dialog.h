// "Fit Thiele-Small parameters from impedance...": fits the driver's imported free-air impedance,
// optionally with a second curve (added mass or closed box) for Vas, draws the measured and the
// fitted impedance together and offers each fitted value beside the driver's current one.
#pragma once

#include "driver_editor/ts_parameters.h"

#include <QDialog>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tavrel {

class ImpedancePlot;

class TsFitDialog : public QDialog {
    Q_OBJECT
public:
    TsFitDialog(const TChassis& driver, QWidget* parent = nullptr);
    ~TsFitDialog() override;

    /// Loads the curve with mass or in the box from a measurement file; false when unreadable.
    bool LoadSecondCurve(const QString& path);
    /// Fits with the dialog's current choices and shows the outcome.
    void Fit();
    /// Writes the ticked values into `driver`.
    void AdoptInto(TChassis& driver) const;

private:
    VasInput vasInput() const;
    void showResult();
    void chooseSecondCurve();

    std::unique_ptr<TChassis> m_driver;
    ImpedanceCurve m_free, m_second;
    TsResult m_result;
    QComboBox* m_method;
    QLineEdit* m_figure;
    QLineEdit* m_area;
    QLabel* m_secondName;
    QLabel* m_message;
    QLabel* m_derived;
    QTableWidget* m_table;
    ImpedancePlot* m_plot;
};

} // namespace tavrel
