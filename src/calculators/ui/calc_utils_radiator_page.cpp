// The passive radiator page of the utilities window: the added mass for a wanted tuning.
#include "calculators/ui/calc_utils_widgets.h"
#include "calculators/ui/calc_utils_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

struct RadiatorField {
    const char* name;
    const char* caption;
    std::string RadiatorInputs::*text;
    bool driver; ///< in the group of the driver's data
};

constexpr RadiatorField RadiatorFieldTable[] = {
    {"EditPRDriverSd", "Effective piston area of the driver [cm2]", &RadiatorInputs::Sd, true},
    {"EditPRDriverXlin", "Linear excursion of the driver [mm]", &RadiatorInputs::xlin, true},
    {"EditPRVb", "Volume of enclosure [liter]", &RadiatorInputs::Vb, false},
    {"EditPRvV", "Volume increase factor (1 .. 1.27)", &RadiatorInputs::vV, false},
    {"EditPRSd", "Area Sd of one radiator [cm2]", &RadiatorInputs::PRSd, false},
    {"EditPRVas", "Vas of one radiator [liter]", &RadiatorInputs::PRVas, false},
    {"EditPRfs", "Resonance fs of one radiator [Hz]", &RadiatorInputs::PRfs, false},
    {"EditPRQms", "Q-factor Qms of one radiator", &RadiatorInputs::PRQms, false},
    {"EditPRxmax", "Linear excursion of one radiator [mm]", &RadiatorInputs::PRxmax, false},
    {"EditPRfb", "Wanted tuning frequency fb [Hz]", &RadiatorInputs::fb, false},
    {"EditPRmadd", "Given added mass per radiator [g]", &RadiatorInputs::PRmadd, false},
};

} // namespace

QWidget* TFormCalcUtils::createRadiatorPage() {
    const RadiatorInputs d;
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* inputs = new QVBoxLayout;
    auto* driver = new QGroupBox("Driver data", page);
    auto* driverForm = new QFormLayout(driver);
    auto* radiators = new QGroupBox("Enclosure and passive radiators", page);
    auto* radiatorForm = new QFormLayout(radiators);
    CB_PRn = new QComboBox(radiators);
    CB_PRn->setObjectName("CB_PRn");
    for (int n = 1; n <= MaxRadiators; ++n) {
        CB_PRn->addItem(QString::number(n));
    }
    CB_PRn->setCurrentIndex(d.PRn - 1);
    for (std::size_t i = 0; i < m_radiatorFields.size(); ++i) {
        const RadiatorField& f = RadiatorFieldTable[i];
        QGroupBox* group = f.driver ? driver : radiators;
        QFormLayout* form = f.driver ? driverForm : radiatorForm;
        if (f.text == &RadiatorInputs::PRSd) {
            form->addRow("Number of radiators", CB_PRn);
        }
        m_radiatorFields[i] = calcui::AddField(form, group, f.name, f.caption, d.*f.text);
        connect(m_radiatorFields[i], &QLineEdit::textChanged, this,
                &TFormCalcUtils::CalcRadiatorDesign);
    }
    connect(CB_PRn, &QComboBox::currentIndexChanged, this, &TFormCalcUtils::CalcRadiatorDesign);
    inputs->addWidget(driver);
    inputs->addWidget(radiators);
    inputs->addStretch();
    layout->addLayout(inputs);

    auto* right = new QVBoxLayout;
    ListBoxPR = calcui::ResultList(page, "ListBoxPR");
    right->addWidget(ListBoxPR, 1);
    auto* useRow = new QHBoxLayout;
    for (std::size_t i = 0; i < m_useRadiators.size(); ++i) {
        const int n = static_cast<int>(i);
        m_useRadiators[i] = new QPushButton(QStringLiteral("Use for driver %1").arg(n + 1), page);
        m_useRadiators[i]->setObjectName(QStringLiteral("BtnUseRadiators%1").arg(n + 1));
        m_useRadiators[i]->hide();
        connect(m_useRadiators[i], &QPushButton::clicked, this, [this, n] {
            if (m_radiatorUser) {
                m_radiatorUser(n, radiatorInputs());
            }
        });
        useRow->addWidget(m_useRadiators[i]);
    }
    useRow->addStretch();
    right->addLayout(useRow);
    layout->addLayout(right, 1);
    return page;
}

RadiatorInputs TFormCalcUtils::radiatorInputs() const {
    RadiatorInputs in;
    for (std::size_t i = 0; i < m_radiatorFields.size(); ++i) {
        in.*RadiatorFieldTable[i].text = calcui::Text(m_radiatorFields[i]);
    }
    in.PRn = CB_PRn->currentIndex() + 1;
    return in;
}

void TFormCalcUtils::CalcRadiatorDesign() {
    if (ListBoxPR == nullptr) {
        return; // still being built
    }
    const RadiatorInputs in = radiatorInputs();
    calcui::Show(ListBoxPR, RadiatorDesign(in));
    const std::optional<TEinbau> designed = RadiatorEnclosure(in);
    for (QPushButton* use : m_useRadiators) {
        use->setEnabled(designed && designed->PRmadd >= 0);
    }
}

void TFormCalcUtils::SetRadiatorUser(RadiatorUser use) {
    m_radiatorUser = std::move(use);
    SetPortDriverCount(m_portDrivers);
}

} // namespace tavrel
