#include "calculators/ui/calc_utils_window.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace tavrel {

TFormCalcUtils::TFormCalcUtils(QString driverDir, QWidget* parent)
    : QWidget(parent, Qt::Window), m_driverDir(std::move(driverDir)) {
    setObjectName("TFormCalcUtils");
    setWindowTitle("Tavrel - Utilities");
    resize(1180, 820);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(createBoxPage(), "Sealed / vented enclosure");
    m_pages->addTab(createPortPage(), "Port");
    m_pages->addTab(createCrossoverPage(), "Standard crossover networks");
    m_pages->addTab(createDividerPage(), "Voltage divider");
    m_pages->addTab(createCorrectionPage(), "Impedance correction ");
    m_pages->addTab(createRadiatorPage(), "Passive radiator");
    m_pages->widget(TS_CBBR)->setObjectName("TS_CBBR");
    m_pages->widget(TS_Port)->setObjectName("TS_Port");
    m_pages->widget(TS_Weichen)->setObjectName("TS_Weichen");
    m_pages->widget(TS_Teiler)->setObjectName("TS_Teiler");
    m_pages->widget(TS_RC)->setObjectName("TS_RC");
    m_pages->widget(TS_PR)->setObjectName("TS_PR");
    layout->addWidget(m_pages);
    connect(m_pages, &QTabWidget::currentChanged, this, &TFormCalcUtils::recalculate);

    CalcBoxDesign();
    CalcPortTuning();
    CalcStandardCrossovers();
    CalcDividerByLevel();
    EditR1Change();
    EditRLC_RdcChange();
    CalcRadiatorDesign();
}

void TFormCalcUtils::ShowPage(Page page) {
    m_pages->setCurrentIndex(page);
    recalculate(page);
    show();
    raise();
    activateWindow();
}

void TFormCalcUtils::recalculate(int page) {
    switch (page) {
    case TS_CBBR:
        CalcBoxDesign();
        break;
    case TS_Port:
        CalcPortTuning();
        break;
    case TS_RC:
        EditRLC_RdcChange();
        break;
    case TS_PR:
        CalcRadiatorDesign();
        break;
    default:
        break;
    }
}

} // namespace tavrel
