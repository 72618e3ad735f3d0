#include "app/ui/active_filter_dialog.h"

#include "app/ui/dsp_channel_panel.h"
#include "foundation/number_steps.h"
#include "foundation/number_text.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/wheel_stepper.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace tavrel {

namespace {

QString numberText(int width, double value) {
    return QString::fromLatin1(FloatToWidth(width, value).c_str());
}

double fieldValue(const QLineEdit* edit) {
    return TextToFloat(edit->text().toStdString());
}

} // namespace

TFormAktFilter::TFormAktFilter(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormAktFilter");
    setWindowTitle("Edit active filter");
    auto* layout = new QVBoxLayout(this);
    m_group = new QGroupBox("Amplifier 1 ", this);
    auto* grid = new QGridLayout(m_group);

    grid->addWidget(new QLabel("Level", m_group), 0, 0);
    m_level = new QLineEdit(m_group);
    m_level->setObjectName("EditPeg1");
    grid->addWidget(m_level, 0, 1);
    grid->addWidget(new QLabel("dB (0 dB = 2.83Veff)", m_group), 0, 2);

    m_sections[0] = addSection(grid, 1, "cb1HP6", "High-pass 6dB", "edit1hp6f", nullptr);
    m_sections[1] = addSection(grid, 2, "cb1hp121", "High-pass 12dB", "edit1hp121f", "edit1hp121q");
    m_sections[2] = addSection(grid, 3, "cb1hp122", "High-pass 12dB", "edit1hp122f", "edit1hp122q");
    m_sections[3] = addSection(grid, 4, "cb1tp6", "Low-pass 6dB", "Edit1tp6f", nullptr);
    m_sections[4] = addSection(grid, 5, "cb1tp121", "Low-pass 12dB", "Edit1TP121f", "Edit1tp121q");
    m_sections[5] = addSection(grid, 6, "cb1tp122", "Low-pass 12dB", "Edit1tp122f", "Edit1tp122q");
    layout->addWidget(m_group);
    m_dsp = new TDspChannelPanel(this);
    layout->addWidget(m_dsp);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("BtnOk");
    QPushButton* abort = buttons->addButton("Abort", QDialogButtonBox::RejectRole);
    abort->setObjectName("BtnAbort");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connectPreview();
}

void TFormAktFilter::connectPreview() {
    const auto report = [this] { emit valuesChanged(); };
    const auto watch = [&](QLineEdit* edit, int width, StepFunction step) {
        connect(edit, &QLineEdit::editingFinished, this, report);
        InstallWheelStepper(edit, width, std::move(step), report);
    };
    watch(m_level, 5, StepLevelDb);
    connect(m_dsp, &TDspChannelPanel::valuesChanged, this, report);
    for (const Section& s : m_sections) {
        watch(s.frequency, 6, StepFrequency);
        if (s.q != nullptr) {
            watch(s.q, 6, StepPercent);
        }
    }
}

TFormAktFilter::Section TFormAktFilter::addSection(QGridLayout* grid, int row,
                                                   const char* checkName, const char* caption,
                                                   const char* frequencyName, const char* qName) {
    Section s;
    s.check = new QCheckBox(caption, m_group);
    s.check->setObjectName(checkName);
    grid->addWidget(s.check, row, 0);
    s.panel = new QWidget(m_group);
    auto* line = new QHBoxLayout(s.panel);
    line->setContentsMargins(0, 0, 0, 0);
    s.frequency = new QLineEdit(s.panel);
    s.frequency->setObjectName(frequencyName);
    line->addWidget(s.frequency);
    line->addWidget(new QLabel(qName ? "Hz       Q =" : "Hz", s.panel));
    if (qName) {
        s.q = new QLineEdit(s.panel);
        s.q->setObjectName(qName);
        line->addWidget(s.q);
    }
    grid->addWidget(s.panel, row, 1, 1, 2);
    connect(s.check, &QCheckBox::toggled, s.panel, &QWidget::setVisible);
    return s;
}

void TFormAktFilter::Load(const TAktFilter& source, int amp) {
    setWindowTitle(QString(" Amplifier %1").arg(amp));
    TAktFilter filter = source;
    if (filter.Pegel <= 0) {
        ShowMessage(this, "Level of amp will be set to 0 dB.");
        filter.Pegel = 1;
    }
    m_level->setText(numberText(5, 20 * std::log10(filter.Pegel)));
    const std::array<bool, 6> enabled{filter.HP6, filter.HP121, filter.HP122,
                                      filter.TP6, filter.TP121, filter.TP122};
    const std::array<double, 6> frequencies{filter.HP6f, filter.HP121f, filter.HP122f,
                                            filter.TP6f, filter.TP121f, filter.TP122f};
    const std::array<double, 6> qs{0, filter.HP121q, filter.HP122q,
                                   0, filter.TP121q, filter.TP122q};
    for (int i = 0; i < 6; ++i) {
        m_sections[i].check->setChecked(enabled[i]);
        m_sections[i].panel->setVisible(enabled[i]);
        m_sections[i].frequency->setText(numberText(6, frequencies[i]));
        if (m_sections[i].q) {
            m_sections[i].q->setText(numberText(6, qs[i]));
        }
    }
    m_dsp->Load(filter);
}

TAktFilter TFormAktFilter::Edited() const {
    TAktFilter f;
    f.Pegel = std::pow(10.0, fieldValue(m_level) / 20.0);
    auto on = [this](int i) { return m_sections[i].check->isChecked(); };
    auto freq = [this](int i) { return fieldValue(m_sections[i].frequency); };
    auto q = [this](int i) { return fieldValue(m_sections[i].q); };
    f.HP6 = on(0);
    f.HP121 = on(1);
    f.HP122 = on(2);
    f.TP6 = on(3);
    f.TP121 = on(4);
    f.TP122 = on(5);
    f.HP6f = freq(0);
    f.HP121f = freq(1);
    f.HP121q = q(1);
    f.HP122f = freq(2);
    f.HP122q = q(2);
    f.TP6f = freq(3);
    f.TP121f = freq(4);
    f.TP121q = q(4);
    f.TP122f = freq(5);
    f.TP122q = q(5);
    m_dsp->Apply(f);
    return f;
}

} // namespace tavrel
