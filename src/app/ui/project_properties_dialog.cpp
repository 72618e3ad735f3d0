#include "app/ui/project_properties_dialog.h"

#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace tavrel {

ProjectPropertiesDialog::ProjectPropertiesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ProjectPropertiesDialog");
    setWindowTitle("Project properties");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_amps = new QSpinBox(this);
    m_amps->setObjectName("EditAmps");
    m_amps->setRange(1, MaxAmps);
    m_drivers = new QSpinBox(this);
    m_drivers->setObjectName("EditChassis");
    m_drivers->setRange(1, MaxChassis);
    m_fMin = new QLineEdit(this);
    m_fMin->setObjectName("EditfMin");
    m_fMax = new QLineEdit(this);
    m_fMax->setObjectName("EditfMax");
    m_points = new QLineEdit(this);
    m_points->setObjectName("EditPoints");
    form->addRow("Number of amplifiers", m_amps);
    form->addRow("Number of drivers", m_drivers);
    form->addRow("Lowest frequency [Hz]", m_fMin);
    form->addRow("Highest frequency [Hz]", m_fMax);
    form->addRow("Number of frequency points", m_points);
    m_dspRate = new QComboBox(this);
    m_dspRate->setObjectName("ComboDSPRate");
    m_dspRate->addItem("analog (ideal filters)", 0);
    for (std::int32_t rate : DspRates) {
        m_dspRate->addItem(QString("%1 Hz").arg(rate), rate);
    }
    form->addRow("DSP sample rate", m_dspRate);
    layout->addLayout(form);

    auto* presets = new QHBoxLayout;
    const std::pair<const char*, int> grids[] = {{"coarse", 84}, {"middle", 126}, {"fine", 250}};
    for (const auto& [caption, points] : grids) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString("Btn") + caption);
        connect(button, &QPushButton::clicked, this, [this, points = points] { preset(points); });
        presets->addWidget(button);
    }
    layout->addLayout(presets);

    auto* comments = new QGroupBox("Project comments (<d> = date)", this);
    auto* commentLayout = new QVBoxLayout(comments);
    m_comment1 = new QLineEdit(comments);
    m_comment1->setObjectName("EditComment1");
    m_comment1->setMaxLength(64);
    m_comment2 = new QLineEdit(comments);
    m_comment2->setObjectName("EditComment2");
    m_comment2->setMaxLength(64);
    commentLayout->addWidget(m_comment1);
    commentLayout->addWidget(m_comment2);
    layout->addWidget(comments);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("BtnOk");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ProjectPropertiesDialog::preset(int points) {
    m_fMin->setText("20");
    m_fMax->setText("20000");
    m_points->setText(QString::number(points));
}

void ProjectPropertiesDialog::Load(const ProjectProperties& p) {
    m_amps->setValue(p.nAmps);
    m_drivers->setValue(p.nChassis);
    m_fMin->setText(FromStoreText(p.fMin));
    m_fMax->setText(FromStoreText(p.fMax));
    m_points->setText(QString::number(p.points));
    m_comment1->setText(FromStoreText(p.comment1));
    m_comment2->setText(FromStoreText(p.comment2));
    m_dspRate->setCurrentIndex(std::max(0, m_dspRate->findData(p.dspRate)));
}

ProjectProperties ProjectPropertiesDialog::Edited() const {
    ProjectProperties p;
    p.nAmps = m_amps->value();
    p.nChassis = m_drivers->value();
    p.fMin = ToStoreText(m_fMin->text());
    p.fMax = ToStoreText(m_fMax->text());
    p.points = TextToInt(ToStoreText(m_points->text()));
    p.comment1 = ToStoreText(m_comment1->text());
    p.comment2 = ToStoreText(m_comment2->text());
    p.dspRate = m_dspRate->currentData().toInt();
    return p;
}

} // namespace tavrel
