// The project properties dialog: counts, the calculation grid, the DSP sample rate and the two
// comment lines.
#pragma once

#include "app/workflow.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tavrel {

class ProjectPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProjectPropertiesDialog(QWidget* parent = nullptr);
    void Load(const ProjectProperties& properties);
    ProjectProperties Edited() const;

private:
    void preset(int points);

    QSpinBox* m_amps = nullptr;
    QSpinBox* m_drivers = nullptr;
    QLineEdit* m_fMin = nullptr;
    QLineEdit* m_fMax = nullptr;
    QLineEdit* m_points = nullptr;
    QComboBox* m_dspRate = nullptr;
    QLineEdit* m_comment1 = nullptr;
    QLineEdit* m_comment2 = nullptr;
};

} // namespace tavrel
