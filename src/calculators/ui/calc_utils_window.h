// TFormCalcUtils: the non-modal utilities window with the five design calculator pages. Every
// result is recomputed from the fields whenever one of them changes; the pages only show the
// lines that the calculators in src/calculators/ produce.
#pragma once

#include "calculators/box_design.h"
#include "calculators/impedance_correction.h"
#include "calculators/port_tuning.h"
#include "calculators/radiator_design.h"
#include "calculators/standard_crossovers.h"
#include "calculators/voltage_divider.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QPlainTextEdit;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace tavrel {

class TFormCalcUtils : public QWidget {
    Q_OBJECT
public:
    enum Page { TS_CBBR, TS_Port, TS_Weichen, TS_Teiler, TS_RC, TS_PR };

    /// `driverDir` is where "Load data from driver file ..." starts.
    explicit TFormCalcUtils(QString driverDir, QWidget* parent = nullptr);

    /// Selects `page`, recalculates it and shows the window in front.
    void ShowPage(Page page);

    // The calculations, each reading its fields and rewriting its lists.
    void CalcBoxDesign();
    void BtnAuslegungBRAlternativClick();
    void CalcPortTuning();
    void CalcStandardCrossovers();
    void CalcDividerByLevel();
    void EditR1Change();
    void EditRLC_RdcChange();
    void CalcRadiatorDesign();
    /// Fills the driver data from a driver file (what "Load data from driver file ..." does
    /// after the file dialog).
    bool LoadDriverFile(const QString& path);

    /// Receives "Use for driver N" of the port page: the 0-based driver and the page's result.
    using PortUser = std::function<void(int driver, const PortResult& port)>;
    void SetPortUser(PortUser use);
    /// Receives "Use for driver N" of the passive radiator page.
    using RadiatorUser = std::function<void(int driver, const RadiatorInputs& page)>;
    void SetRadiatorUser(RadiatorUser use);
    /// Shows the buttons "Use for driver 1" .. "Use for driver `count`" of both pages.
    void SetPortDriverCount(int count);

private:
    QWidget* createBoxPage();
    QWidget* createPortPage();
    QWidget* createCrossoverPage();
    QWidget* createDividerPage();
    QWidget* createCorrectionPage();
    QWidget* createRadiatorPage();
    RadiatorInputs radiatorInputs() const;
    void EditQesChange();
    void applyBoxVisibility();
    void applyPortVisibility();
    void recalculate(int page);
    BoxInputs boxInputs() const;
    PortInputs portInputs() const;
    void Button2Click();

    QString m_driverDir;
    QTabWidget* m_pages = nullptr;

    QFormLayout* m_driverForm = nullptr;
    QLineEdit *Editfs = nullptr, *EditQts = nullptr, *EditQes = nullptr, *EditQms = nullptr;
    QLineEdit *EditRdc = nullptr, *EditRv = nullptr, *EditVas = nullptr;
    QLineEdit *EditQtcWunsch = nullptr, *EditAltVab = nullptr;
    QCheckBox *CheckBoxQesmsda = nullptr, *CheckBoxRv = nullptr;
    QListWidget *ListBox1 = nullptr, *ListBox2 = nullptr, *ListBox3 = nullptr;

    QFormLayout* m_portForm = nullptr;
    QRadioButton *RBVexpl = nullptr, *RB_Vbht = nullptr, *RB_rechteckig = nullptr,
                 *RB_Rund = nullptr;
    QLineEdit *EditVb0 = nullptr, *Editb = nullptr, *Edith = nullptr, *Editt = nullptr;
    QLineEdit *Editc = nullptr, *Edite = nullptr, *EditD = nullptr, *Editl = nullptr;
    QLineEdit *Editg = nullptr, *Editf = nullptr, *Editk = nullptr, *Editi = nullptr,
              *Editj = nullptr;
    QComboBox* CB_nRohre = nullptr;
    QSlider* TrackBarc = nullptr;
    QListWidget* ListBox5 = nullptr;
    std::array<QPushButton*, 8> m_usePort{};
    PortUser m_portUser;
    int m_portDrivers = 0;

    QLineEdit *EditTF = nullptr, *EditITT = nullptr, *EditIHT = nullptr;
    std::array<QPlainTextEdit*, 8> m_crossoverMemos{};

    QComboBox* CB_dBWunsch = nullptr;
    QLineEdit *EditZE = nullptr, *EditZA = nullptr;
    QCheckBox* CB_ZEegal = nullptr;
    QPlainTextEdit *Memo2 = nullptr, *Memo3 = nullptr;
    QLineEdit *EditR1 = nullptr, *EditR2 = nullptr, *EditRL = nullptr;

    QLineEdit *EditRLC_Rdc = nullptr, *EditRLC_fc = nullptr, *EditRLC_Qes = nullptr,
              *EditRLC_Qms = nullptr, *EditRLC_Le = nullptr;
    QPlainTextEdit *Memo4 = nullptr, *Memo5 = nullptr, *Memo6 = nullptr;

    std::array<QLineEdit*, 11> m_radiatorFields{};
    QComboBox* CB_PRn = nullptr;
    QListWidget* ListBoxPR = nullptr;
    std::array<QPushButton*, 8> m_useRadiators{};
    RadiatorUser m_radiatorUser;
};

} // namespace tavrel
