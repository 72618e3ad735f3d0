#include "app/ui/housing_dialog.h"

#include "calculators/result_lines.h"
#include "calculators/ui/sketch_view.h"
#include "editor/ui/ok_abort_buttons.h"
#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrel {

namespace {

QString centimetres(double metres) {
    return FromStoreText(FloatToWidth(7, metres * 100));
}

double metres(const QLineEdit* field) {
    return FieldValue(ToStoreText(field->text())) / 100;
}

QLineEdit* lengthField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaximumWidth(80);
    return field;
}

QComboBox* choices(QWidget* parent, const QString& name, const auto& texts) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* text : texts) {
        box->addItem(text);
    }
    return box;
}

} // namespace

TFormGemGeh::TFormGemGeh(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormGemGeh");
    setWindowTitle("Tavrel - option common outer housing");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(createHousingFields());
    top->addWidget(new SketchView(HousingSketch(), 4.5, this), 1);
    layout->addLayout(top);
    auto* drivers = new QGridLayout;
    for (int slot = 0; slot < MaxChassis; ++slot) {
        drivers->addWidget(createDriverGroup(slot), slot / 4, slot % 4);
    }
    layout->addLayout(drivers);
    QDialogButtonBox* buttons = OkAbortButtons(this);
    layout->addWidget(buttons);
}

QWidget* TFormGemGeh::createHousingFields() {
    auto* box = new QGroupBox("Outer dimensions of housing [cm]", this);
    auto* form = new QFormLayout(box);
    const char* names[] = {"EditH",    "EditB",    "EditT",   "EditFasl",
                           "EditFasr", "EditFaso", "EditFasu"};
    const char* captions[] = {"Height H",
                              "Width B",
                              "Depth T",
                              "Chamfer left fasl",
                              "Chamfer right fasr",
                              "Chamfer top faso",
                              "Chamfer bottom fasu"};
    for (std::size_t n = 0; n < m_housing.size(); ++n) {
        m_housing[n] = lengthField(box, names[n]);
        form->addRow(captions[n], m_housing[n]);
    }
    return box;
}

QGroupBox* TFormGemGeh::createDriverGroup(int slot) {
    DriverGroup& g = m_drivers[slot];
    const QString n = QString::number(slot + 1);
    g.group = new QGroupBox(this);
    g.group->setObjectName("GroupDriver" + n);
    auto* layout = new QVBoxLayout(g.group);
    g.use = new QCheckBox("common outer housing", g.group);
    g.use->setObjectName("CheckBoxUse" + n);
    layout->addWidget(g.use);
    layout->addWidget(new QLabel("Beam direction", g.group));
    g.direction = choices(g.group, "CBDirection" + n, HousingDirections);
    layout->addWidget(g.direction);
    g.position = new QWidget(g.group);
    auto* position = new QFormLayout(g.position);
    position->setContentsMargins(0, 0, 0, 0);
    g.a = lengthField(g.position, "Edita" + n);
    g.c = lengthField(g.position, "Editc" + n);
    position->addRow("a [cm]", g.a);
    position->addRow("c [cm]", g.c);
    layout->addWidget(g.position);

    g.vent = new QWidget(g.group);
    auto* vent = new QFormLayout(g.vent);
    vent->setContentsMargins(0, 0, 0, 0);
    vent->addRow(new QLabel("Beam direction of sound\nfrom backside of diaphragm\n(vent)", g.vent));
    g.directionr = choices(g.vent, "CBDirectionR" + n, VentSides);
    vent->addRow(g.directionr);
    g.ar = lengthField(g.vent, "Editar" + n);
    g.cr = lengthField(g.vent, "Editcr" + n);
    vent->addRow("ar [cm]", g.ar);
    vent->addRow("cr [cm]", g.cr);
    layout->addWidget(g.vent);
    layout->addStretch();
    connect(g.use, &QCheckBox::toggled, this, [this, slot] { showPositions(slot); });
    return g.group;
}

void TFormGemGeh::showPositions(int slot) {
    DriverGroup& g = m_drivers[slot];
    const bool used = g.use->isChecked();
    g.position->setVisible(used);
    g.vent->setVisible(used && g.vented);
}

void TFormGemGeh::Load(const TProjekt& projekt) {
    const TGemGeh& box = projekt.GemGeh;
    const double values[] = {box.h, box.b, box.t, box.fasl, box.fasr, box.faso, box.fasu};
    for (std::size_t n = 0; n < m_housing.size(); ++n) {
        m_housing[n]->setText(centimetres(values[n]));
    }
    for (int slot = 0; slot < MaxChassis; ++slot) {
        DriverGroup& g = m_drivers[slot];
        const HousingPlace place = HousingPlaceOf(projekt.Schallwand[slot], box);
        g.group->setTitle(QString("Driver %1: %2")
                              .arg(slot + 1)
                              .arg(FromStoreText(projekt.Chassis[slot].Name.view())));
        g.group->setVisible(slot < ChassisCount(projekt));
        const int type = projekt.Einbau[slot].Typ;
        g.vented = type == EinbauVented || type == EinbauBandpassBivented ||
                   type == EinbauPassiveRadiator; // radiators sit where a vent would
        g.use->setChecked(place.use);
        g.direction->setCurrentIndex(place.direction);
        g.directionr->setCurrentIndex(place.directionr);
        g.a->setText(centimetres(place.a));
        g.c->setText(centimetres(place.c));
        g.ar->setText(centimetres(place.ar));
        g.cr->setText(centimetres(place.cr));
        showPositions(slot);
    }
}

TGemGeh TFormGemGeh::Housing() const {
    return {metres(m_housing[0]), metres(m_housing[1]), metres(m_housing[2]), metres(m_housing[3]),
            metres(m_housing[4]), metres(m_housing[5]), metres(m_housing[6])};
}

std::array<HousingPlace, MaxChassis> TFormGemGeh::Places() const {
    std::array<HousingPlace, MaxChassis> places{};
    for (int slot = 0; slot < MaxChassis; ++slot) {
        const DriverGroup& g = m_drivers[slot];
        places[slot] = {g.use->isChecked(),
                        g.direction->currentIndex(),
                        g.directionr->currentIndex(),
                        metres(g.a),
                        metres(g.c),
                        metres(g.ar),
                        metres(g.cr)};
    }
    return places;
}

} // namespace tavrel
