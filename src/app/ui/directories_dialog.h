// The directories dialog: the six working directories and whether they come from the
// settings file or lie beside the program.
#pragma once

#include "foundation/settings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QGroupBox;

namespace tavrel {

class TFormVerzeichnisse : public QDialog {
    Q_OBJECT
public:
    TFormVerzeichnisse(TSettings settings, QWidget* parent = nullptr);
    /// The settings as saved and reloaded when the dialog closed.
    const TSettings& Settings() const { return m_settings; }

protected:
    void done(int result) override;

private:
    void showUseDefaults(bool use);

    TSettings m_settings;
    QCheckBox* m_useDefaults = nullptr;
    std::array<QGroupBox*, 6> m_groups{};
    std::array<QLineEdit*, 6> m_edits{};
    std::array<QPushButton*, 6> m_buttons{};
};

} // namespace tavrel
