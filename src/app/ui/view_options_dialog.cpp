#include "app/ui/view_options_dialog.h"

#include "app/ui/store_text.h"
#include "app/view_options.h"
#include "editor/ui/ok_abort_buttons.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

std::optional<QColor> standardColorDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

TFormViewOptions::ColorChooser& colorChooser() {
    static TFormViewOptions::ColorChooser chooser = standardColorDialog;
    return chooser;
}

QLineEdit* scaleField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaximumWidth(80);
    return field;
}

} // namespace

QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t ToBgr(const QColor& colour) {
    return Rgb(static_cast<std::uint32_t>(colour.red()), static_cast<std::uint32_t>(colour.green()),
               static_cast<std::uint32_t>(colour.blue()));
}

void TFormViewOptions::SetColorChooser(ColorChooser chooser) {
    colorChooser() = chooser ? std::move(chooser) : standardColorDialog;
}

TFormViewOptions::TFormViewOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormViewOptions");
    setWindowTitle("Edit view options");
    auto* layout = new QVBoxLayout(this);
    auto* colours = new QGridLayout;
    QStringList amps{"All"}, drivers{"All"};
    for (int a = 1; a <= MaxAmps; ++a) {
        amps << QString("Amplifier %1").arg(a);
    }
    for (int d = 1; d <= 9; ++d) {
        drivers << QString("Driver / way %1").arg(d);
    }
    const QStringList directions{"front",     "30\u00B0",  "60\u00B0", "90\u00B0",
                                 "120\u00B0", "150\u00B0", "back"};
    addPanels(colours, 0, "Amplifiers", m_option.ColorSetAmps.data(), amps, "PanelAmp");
    addPanels(colours, 1, "Drivers", m_option.ColorSetChassis.data(), drivers, "PanelChassis");
    addPanels(colours, 2, "Directions", m_option.ColorSetRichtungen.data(), directions,
              "PanelRichtung");
    layout->addLayout(colours);

    auto* scales = new QGroupBox("Charts", this);
    auto* grid = new QGridLayout(scales);
    m_afMin = scaleField(scales, "EditAfMin");
    m_afMax = scaleField(scales, "EditAfMax");
    m_dBMin = scaleField(scales, "EditdBMin");
    m_dBMax = scaleField(scales, "EditdBMax");
    m_impMax = scaleField(scales, "EditImpMax");
    grid->addWidget(new QLabel("Frequency axis from", scales), 0, 0);
    grid->addWidget(m_afMin, 0, 1);
    grid->addWidget(new QLabel("Hz to ", scales), 0, 2);
    grid->addWidget(m_afMax, 0, 3);
    grid->addWidget(new QLabel("Hz", scales), 0, 4);
    grid->addWidget(new QLabel("Show SPL from", scales), 1, 0);
    grid->addWidget(m_dBMin, 1, 1);
    grid->addWidget(new QLabel("dB to ", scales), 1, 2);
    grid->addWidget(m_dBMax, 1, 3);
    grid->addWidget(new QLabel("dB", scales), 1, 4);
    grid->addWidget(new QLabel("Upper limit of impedance", scales), 2, 0);
    grid->addWidget(m_impMax, 2, 1);
    grid->addWidget(new QLabel("ohm", scales), 2, 2);
    layout->addWidget(scales);

    m_useForAll = new QCheckBox("Use these settings for all project files", this);
    m_useForAll->setObjectName("CheckBoxUseOption");
    layout->addWidget(m_useForAll);

    QDialogButtonBox* buttons = OkAbortButtons(this);
    auto* defaults = buttons->addButton("restore defaults", QDialogButtonBox::ResetRole);
    defaults->setObjectName("BtnDefaults");
    connect(defaults, &QPushButton::clicked, this, &TFormViewOptions::restoreDefaults);
    layout->addWidget(buttons);
}

void TFormViewOptions::addPanels(QGridLayout* grid, int column, const char* title,
                                 std::uint32_t* colours, const QStringList& captions,
                                 const char* name) {
    auto* group = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(group);
    for (int n = 0; n < captions.size(); ++n) {
        auto* panel = new QPushButton(captions[n], group);
        panel->setObjectName(QString("%1%2").arg(name).arg(n));
        panel->setFlat(true);
        std::uint32_t* colour = colours + n;
        connect(panel, &QPushButton::clicked, this, [this, colour] {
            if (const auto chosen = colorChooser()(FromBgr(*colour), this)) {
                *colour = ToBgr(*chosen);
                showColours();
            }
        });
        m_panels.emplace_back(panel, colour);
        layout->addWidget(panel);
    }
    layout->addStretch();
    grid->addWidget(group, 0, column);
}

void TFormViewOptions::showColours() {
    for (const auto& [panel, colour] : m_panels) {
        panel->setStyleSheet(
            QString("color: %1; text-align: left; font-weight: bold").arg(FromBgr(*colour).name()));
    }
}

void TFormViewOptions::showScales() {
    const ViewScaleTexts scales = ViewScalesOf(m_option);
    m_afMin->setText(FromStoreText(scales.AfMin));
    m_afMax->setText(FromStoreText(scales.AfMax));
    m_dBMin->setText(FromStoreText(scales.dBMin));
    m_dBMax->setText(FromStoreText(scales.dBMax));
    m_impMax->setText(FromStoreText(scales.ImpMax));
}

void TFormViewOptions::Load(const TOptionBlock& option, bool useForAllProjects) {
    m_option = option;
    m_useForAll->setChecked(useForAllProjects);
    showColours();
    showScales();
}

void TFormViewOptions::restoreDefaults() {
    RestoreViewDefaults(m_option);
    showColours();
    showScales();
}

TOptionBlock TFormViewOptions::Edited() const {
    TOptionBlock option = m_option;
    ApplyViewScales(option, {ToStoreText(m_afMin->text()), ToStoreText(m_afMax->text()),
                             ToStoreText(m_dBMin->text()), ToStoreText(m_dBMax->text()),
                             ToStoreText(m_impMax->text())});
    return option;
}

bool TFormViewOptions::UseForAllProjects() const {
    return m_useForAll->isChecked();
}

} // namespace tavrel
