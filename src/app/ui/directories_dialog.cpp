#include "app/ui/directories_dialog.h"

#include "foundation/ui/store_text.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

struct DirectoryTexts {
    const char* group;
    const char* chooserTitle;
};

// In file order: drivers, projects, crossover parts, reports, publications, kits.
constexpr std::array<DirectoryTexts, 6> Texts{{
    {"directory for driver files", "Select directory for driver files"},
    {"directory for project files", "Select directory for project files"},
    {"directory for crossover network parts", "Select directory for crossover part files"},
    {"Verzeichnis f\xC3\xBCr Reportdateien und Plausibilit\xC3\xA4tschecks",
     "Verzeichnis f\xC3\xBCr Reportdateien ausw\xC3\xA4hlen"},
    {"Verzeichnis f\xC3\xBCr Publikationen",
     "Verzeichnis f\xC3\xBCr Publikationen ausw\xC3\xA4hlen"},
    {"Verzeichnis f\xC3\xBCr Baus\xC3\xA4tze",
     "Verzeichnis f\xC3\xBCr Baus\xC3\xA4tze ausw\xC3\xA4hlen"},
}};

} // namespace

TFormVerzeichnisse::TFormVerzeichnisse(TSettings settings, QWidget* parent)
    : QDialog(parent), m_settings(std::move(settings)) {
    setObjectName("TFormVerzeichnisse");
    setWindowTitle("Select directories");
    auto* layout = new QVBoxLayout(this);
    m_useDefaults = new QCheckBox("Use default settings", this);
    m_useDefaults->setObjectName("CBVerzeichnisvorgaben");
    layout->addWidget(m_useDefaults);
    auto* note = new QLabel("Installations on removable disks should clear the check mark: then "
                            "the directories \"Chassis\", \"Projekte\" and \"Weichenbauteile\" "
                            "beside the program are used whatever the drive letter.",
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    const auto directories = m_settings.Directories();
    for (std::size_t i = 0; i < Texts.size(); ++i) {
        m_groups[i] = new QGroupBox(QString::fromUtf8(Texts[i].group), this);
        auto* row = new QHBoxLayout(m_groups[i]);
        m_edits[i] = new QLineEdit(FromStoreText(*directories[i].second), m_groups[i]);
        m_edits[i]->setObjectName(QString("EditDir%1").arg(i + 1));
        m_buttons[i] = new QPushButton("to find ...", m_groups[i]);
        m_buttons[i]->setObjectName(QString("BtnFind%1").arg(i + 1));
        row->addWidget(m_edits[i]);
        row->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] {
            const QString chosen = QFileDialog::getExistingDirectory(
                this, QString::fromUtf8(Texts[i].chooserTitle), m_edits[i]->text());
            if (!chosen.isEmpty()) {
                m_edits[i]->setText(chosen);
            }
        });
        layout->addWidget(m_groups[i]);
    }
    m_groups[5]->hide(); // kits are not offered in this edition

    auto* close = new QPushButton("close", this);
    close->setObjectName("BtnClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);

    connect(m_useDefaults, &QCheckBox::toggled, this, &TFormVerzeichnisse::showUseDefaults);
    m_useDefaults->setChecked(m_settings.Verzeichnisvorgaben);
    showUseDefaults(m_settings.Verzeichnisvorgaben);
}

void TFormVerzeichnisse::showUseDefaults(bool use) {
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setVisible(use);
        m_buttons[i]->setEnabled(use);
    }
}

void TFormVerzeichnisse::done(int result) {
    m_settings.Verzeichnisvorgaben = m_useDefaults->isChecked();
    const auto directories = m_settings.Directories();
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        *directories[i].second = ToStoreText(m_edits[i]->text());
    }
    SaveSettings(m_settings);
    LoadSettings(m_settings);
    QDialog::done(result);
}

} // namespace tavrel
