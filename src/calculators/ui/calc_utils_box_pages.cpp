// The sealed / vented enclosure page and the port page of the utilities window.
#include "calculators/ui/calc_utils_widgets.h"
#include "calculators/ui/calc_utils_window.h"
#include "calculators/ui/sketch_view.h"
#include "foundation/number_text.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/chassis_file.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <array>
#include <tuple>

namespace tavrel {

using calcui::Field;
using calcui::Text;

namespace {

void onEdit(QLineEdit* field, QObject* receiver, std::function<void()> slot) {
    QObject::connect(field, &QLineEdit::textChanged, receiver, [slot] { slot(); });
}

QLabel* hint(QWidget* parent, const char* text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

/// Two exclusive radio buttons in one row of `form`; the second is checked when `second` holds.
std::pair<QRadioButton*, QRadioButton*> radioPair(QFormLayout* form, const char* caption,
                                                  std::pair<const char*, const char*> first,
                                                  std::pair<const char*, const char*> other,
                                                  bool second) {
    QWidget* parent = form->parentWidget();
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(parent);
    std::array<QRadioButton*, 2> buttons{};
    const std::pair<const char*, const char*> names[] = {first, other};
    for (int n = 0; n < 2; ++n) {
        buttons[n] = new QRadioButton(names[n].second, parent);
        buttons[n]->setObjectName(names[n].first);
        buttons[n]->setChecked((n == 1) == second);
        group->addButton(buttons[n]);
        row->addWidget(buttons[n]);
    }
    form->addRow(caption, row);
    return {buttons[0], buttons[1]};
}

} // namespace

QWidget* TFormCalcUtils::createBoxPage() {
    const BoxInputs d;
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);

    auto* driver = new QGroupBox("Driver data", page);
    m_driverForm = new QFormLayout(driver);
    Editfs = calcui::AddField(m_driverForm, driver, "Editfs", "Resonance frequency fs [Hz]", d.fs);
    EditQts = calcui::AddField(m_driverForm, driver, "EditQts", "Resonance Q-factor Qts", d.Qts);
    CheckBoxQesmsda = new QCheckBox("Qes and Qms are known", driver);
    CheckBoxQesmsda->setObjectName("CheckBoxQesmsda");
    m_driverForm->addRow(CheckBoxQesmsda);
    EditQes = calcui::AddField(m_driverForm, driver, "EditQes", "Electrical Q-faktor Qes", d.Qes);
    EditQms = calcui::AddField(m_driverForm, driver, "EditQms", "Mech. Q-factor Qms", d.Qms);
    CheckBoxRv = new QCheckBox("Consider Preresistor", driver);
    CheckBoxRv->setObjectName("CheckBoxRv");
    m_driverForm->addRow(CheckBoxRv);
    EditRdc = calcui::AddField(m_driverForm, driver, "EditRdc", "DC resistance Rdc [ohm]", d.Rdc);
    EditRv = calcui::AddField(m_driverForm, driver, "EditRv", "Preresistor [ohm]", d.Rv);
    EditVas =
        calcui::AddField(m_driverForm, driver, "EditVas", "Equivalent volume Vas [liter]", d.Vas);
    auto* load = new QPushButton("Load data from driver file ...", driver);
    load->setObjectName("Button2");
    m_driverForm->addRow(load);
    layout->addWidget(driver);

    auto* sealed = new QGroupBox("Design of sealed box", page);
    auto* sealedLayout = new QVBoxLayout(sealed);
    auto* qtcRow = new QFormLayout;
    EditQtcWunsch =
        calcui::AddField(qtcRow, sealed, "EditQtcWunsch", "Desired Q-factor Qtc", d.QtcWunsch);
    sealedLayout->addLayout(qtcRow);
    sealedLayout->addWidget(hint(sealed, "Common values: 0.5..1.2; common: 0.7 (=Butterworth) "));
    sealedLayout->addWidget(hint(sealed, "Higher values result in more bass."));
    sealedLayout->addWidget(hint(sealed, "Lower values result in more precise bass."));
    ListBox2 = calcui::ResultList(sealed, "ListBox2");
    sealedLayout->addWidget(ListBox2);
    layout->addWidget(sealed);

    auto* vented = new QGroupBox("Design of vented box", page);
    auto* ventedLayout = new QVBoxLayout(vented);
    ListBox1 = calcui::ResultList(vented, "ListBox1");
    ventedLayout->addWidget(ListBox1);
    ventedLayout->addWidget(hint(vented, "If volume or f3 not ok, enter different volume"));
    auto* altRow = new QFormLayout;
    EditAltVab =
        calcui::AddField(altRow, vented, "EditAltVab", "Alternative volume [liter]", d.AltVab);
    ventedLayout->addLayout(altRow);
    ListBox3 = calcui::ResultList(vented, "ListBox3");
    ventedLayout->addWidget(ListBox3);
    layout->addWidget(vented);

    for (QLineEdit* field : {Editfs, EditQts, EditRdc, EditRv, EditVas, EditQtcWunsch}) {
        onEdit(field, this, [this] { CalcBoxDesign(); });
    }
    onEdit(EditQes, this, [this] { EditQesChange(); });
    onEdit(EditQms, this, [this] { EditQesChange(); });
    onEdit(EditAltVab, this, [this] { BtnAuslegungBRAlternativClick(); });
    for (QCheckBox* box : {CheckBoxQesmsda, CheckBoxRv}) {
        connect(box, &QCheckBox::clicked, this, [this] {
            applyBoxVisibility();
            CalcBoxDesign();
        });
    }
    connect(load, &QPushButton::clicked, this, &TFormCalcUtils::Button2Click);
    applyBoxVisibility();
    return page;
}

void TFormCalcUtils::applyBoxVisibility() {
    const bool known = CheckBoxQesmsda->isChecked();
    m_driverForm->setRowVisible(EditQes, known);
    m_driverForm->setRowVisible(EditQms, known);
    EditQts->setEnabled(!known);
    m_driverForm->setRowVisible(EditRdc, CheckBoxRv->isChecked());
    m_driverForm->setRowVisible(EditRv, CheckBoxRv->isChecked());
}

BoxInputs TFormCalcUtils::boxInputs() const {
    BoxInputs in;
    in.fs = Text(Editfs);
    in.Qts = Text(EditQts);
    in.CheckBoxQesmsda = CheckBoxQesmsda->isChecked();
    in.Qes = Text(EditQes);
    in.Qms = Text(EditQms);
    in.CheckBoxRv = CheckBoxRv->isChecked();
    in.Rdc = Text(EditRdc);
    in.Rv = Text(EditRv);
    in.Vas = Text(EditVas);
    in.QtcWunsch = Text(EditQtcWunsch);
    in.AltVab = Text(EditAltVab);
    return in;
}

void TFormCalcUtils::EditQesChange() {
    // Writing Qts recalculates the designs through its own change.
    const QString qts = FromStoreText(QtsFromQesQms(Text(EditQes), Text(EditQms)));
    if (EditQts->text() == qts) {
        CalcBoxDesign();
    }
    EditQts->setText(qts);
}

void TFormCalcUtils::CalcBoxDesign() {
    BoxInputs in = boxInputs();
    if (PreresistorUnusable(in)) {
        CheckBoxRv->setChecked(false);
        applyBoxVisibility();
        in.CheckBoxRv = false;
    }
    calcui::Show(ListBox2, SealedDesign(in));
    calcui::Show(ListBox1, VentedDesign(in));
    ListBox3->clear();
}

void TFormCalcUtils::BtnAuslegungBRAlternativClick() {
    calcui::Show(ListBox3, AlternativeDesign(boxInputs()));
}

void TFormCalcUtils::Button2Click() {
    const QString path =
        QFileDialog::getOpenFileName(this, "Load driver", m_driverDir, "Driver (*.TVC *.tvc)");
    if (!path.isEmpty()) {
        LoadDriverFile(path);
    }
}

bool TFormCalcUtils::LoadDriverFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return false;
    }
    TChassis driver;
    if (!LoadChassisFile(driver, ToStoreText(path)).ok) {
        return false;
    }
    CheckBoxQesmsda->setChecked(true);
    applyBoxVisibility();
    Editfs->setText(FromStoreText(FloatToWidth(6, driver.fs)));
    EditQes->setText(FromStoreText(FloatToWidth(6, driver.Qes)));
    EditQms->setText(FromStoreText(FloatToWidth(6, driver.Qms)));
    EditVas->setText(FromStoreText(FloatToWidth(6, driver.Vas * 1000)));
    EditRdc->setText(FromStoreText(FloatToWidth(6, driver.Re)));
    const std::string message = ("\nData from " + driver.Name.str()).substr(0, 32);
    ShowMessage(this, FromStoreText(message + " have been loaded."));
    return true;
}

QWidget* TFormCalcUtils::createPortPage() {
    const PortInputs d;
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* inputs = new QWidget(page);
    m_portForm = new QFormLayout(inputs);

    std::tie(RBVexpl, RB_Vbht) = radioPair(m_portForm, "Volume", {"RBVexpl", "enter explicitly"},
                                           {"RB_Vbht", "enter b*h*t"}, d.RB_Vbht);
    EditVb0 = calcui::AddField(m_portForm, inputs, "EditVb0",
                               "Volume of enclosure incl. Port [liter]", d.Vb0);
    Editb = calcui::AddField(m_portForm, inputs, "Editb", "b [cm]", d.b);
    Edith = calcui::AddField(m_portForm, inputs, "Edith", "h [cm]", d.h);
    Editt = calcui::AddField(m_portForm, inputs, "Editt", "t [cm]", d.t);

    TrackBarc = new QSlider(Qt::Horizontal, inputs);
    TrackBarc->setObjectName("TrackBarc");
    TrackBarc->setRange(0, 4);
    TrackBarc->setValue(d.TrackBarc);
    TrackBarc->setTickPosition(QSlider::TicksBelow);
    auto* damping = new QVBoxLayout;
    damping->addWidget(TrackBarc);
    auto* dampingLabels = new QHBoxLayout;
    dampingLabels->addWidget(new QLabel("no wool", inputs));
    dampingLabels->addStretch();
    dampingLabels->addWidget(new QLabel("loosely filled", inputs));
    dampingLabels->addStretch();
    dampingLabels->addWidget(new QLabel("stuffed", inputs));
    damping->addLayout(dampingLabels);
    m_portForm->addRow("Damping", damping);

    std::tie(RB_rechteckig, RB_Rund) =
        radioPair(m_portForm, "Shape of port", {"RB_rechteckig", "rectangular"},
                  {"RB_Rund", "round"}, d.RB_Rund);
    Editc = calcui::AddField(m_portForm, inputs, "Editc", "c [cm]", d.c);
    Edite = calcui::AddField(m_portForm, inputs, "Edite", "e [cm]", d.e);
    EditD = calcui::AddField(m_portForm, inputs, "EditD", "d [cm]", d.D);
    CB_nRohre = new QComboBox(inputs);
    CB_nRohre->setObjectName("CB_nRohre");
    CB_nRohre->addItems({"1 port", "2 ports", "3 ports", "4 ports"});
    CB_nRohre->setCurrentIndex(d.nRohre - 1);
    m_portForm->addRow("Number of ports", CB_nRohre);
    Editl = calcui::AddField(m_portForm, inputs, "Editl", "l [cm]", d.l);
    Editg = calcui::AddField(m_portForm, inputs, "Editg", "g [cm]", d.g);
    Editf = calcui::AddField(m_portForm, inputs, "Editf", "f [cm]", d.f);
    Editk = calcui::AddField(m_portForm, inputs, "Editk", "k [cm]", d.k);
    Editi = calcui::AddField(m_portForm, inputs, "Editi", "i [cm]", d.i);
    Editj = calcui::AddField(m_portForm, inputs, "Editj", "j [cm]", d.j);
    layout->addWidget(inputs);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Warning: All dimension on the page are inner dimensions!", page));
    right->addWidget(new SketchView(PortSketch(), 7, page), 3);
    ListBox5 = calcui::ResultList(page, "ListBox5");
    right->addWidget(ListBox5, 1);
    auto* useRow = new QHBoxLayout;
    for (std::size_t i = 0; i < m_usePort.size(); ++i) {
        const int driver = static_cast<int>(i);
        m_usePort[i] = new QPushButton(QStringLiteral("Use for driver %1").arg(driver + 1), page);
        m_usePort[i]->setObjectName(QStringLiteral("BtnUsePort%1").arg(driver + 1));
        m_usePort[i]->hide();
        connect(m_usePort[i], &QPushButton::clicked, this, [this, driver] {
            if (m_portUser) {
                m_portUser(driver, PortTuningResult(portInputs()));
            }
        });
        useRow->addWidget(m_usePort[i]);
    }
    useRow->addStretch();
    right->addLayout(useRow);
    layout->addLayout(right, 1);

    for (QLineEdit* field : {EditVb0, Editb, Edith, Editt, Editc, Edite, EditD, Editl, Editg, Editf,
                             Editk, Editi, Editj}) {
        onEdit(field, this, [this] { CalcPortTuning(); });
    }
    connect(TrackBarc, &QSlider::valueChanged, this, &TFormCalcUtils::CalcPortTuning);
    connect(CB_nRohre, &QComboBox::currentIndexChanged, this, &TFormCalcUtils::CalcPortTuning);
    for (QRadioButton* button : {RBVexpl, RB_Vbht, RB_rechteckig, RB_Rund}) {
        connect(button, &QRadioButton::toggled, this, [this] {
            applyPortVisibility();
            CalcPortTuning();
        });
    }
    applyPortVisibility();
    return page;
}

void TFormCalcUtils::applyPortVisibility() {
    const bool round = RB_Rund->isChecked();
    m_portForm->setRowVisible(Editc, !round);
    m_portForm->setRowVisible(Edite, !round);
    m_portForm->setRowVisible(EditD, round);
    m_portForm->setRowVisible(CB_nRohre, round);
    const bool bht = RB_Vbht->isChecked();
    m_portForm->setRowVisible(EditVb0, !bht);
    for (QLineEdit* field : {Editb, Edith, Editt}) {
        m_portForm->setRowVisible(field, bht);
    }
}

PortInputs TFormCalcUtils::portInputs() const {
    PortInputs in;
    in.RB_Vbht = RB_Vbht->isChecked();
    in.Vb0 = Text(EditVb0);
    in.b = Text(Editb);
    in.h = Text(Edith);
    in.t = Text(Editt);
    in.TrackBarc = TrackBarc->value();
    in.RB_Rund = RB_Rund->isChecked();
    in.c = Text(Editc);
    in.e = Text(Edite);
    in.D = Text(EditD);
    in.nRohre = CB_nRohre->currentIndex() + 1;
    in.l = Text(Editl);
    in.g = Text(Editg);
    in.f = Text(Editf);
    in.k = Text(Editk);
    in.i = Text(Editi);
    in.j = Text(Editj);
    return in;
}

void TFormCalcUtils::CalcPortTuning() {
    const PortResult result = PortTuningResult(portInputs());
    calcui::Show(ListBox5, result.lines);
    for (QPushButton* use : m_usePort) {
        use->setEnabled(result.tuned);
    }
}

void TFormCalcUtils::SetPortUser(PortUser use) {
    m_portUser = std::move(use);
    SetPortDriverCount(m_portDrivers);
}

void TFormCalcUtils::SetPortDriverCount(int count) {
    m_portDrivers = count;
    for (std::size_t i = 0; i < m_usePort.size(); ++i) {
        m_usePort[i]->setVisible(m_portUser && static_cast<int>(i) < count);
        m_useRadiators[i]->setVisible(m_radiatorUser && static_cast<int>(i) < count);
    }
}

} // namespace tavrel
