// The driver editor's live preview: its number fields step with the wheel and the arrow keys
// (1 %, Ctrl 0.1 %; frequencies on a 1/24-octave grid), and every change of a number field or
// a damping slider hands the edited records to the main window for a preview calculation.
#include "driver_editor/ui/driver_editor.h"
#include "foundation/number_steps.h"
#include "foundation/ui/wheel_stepper.h"

#include <QLineEdit>
#include <QSlider>
#include <string_view>

namespace tavrel {

namespace {

bool isFrequency(std::string_view name) {
    return name == "Editfs" || name == "Editfb" || name == "Editfbf" || name == "Editfmb";
}

} // namespace

void DriverEditor::connectPreview() {
    for (const NumberField& field : NumberFields()) {
        QLineEdit* edit = m_edits.at(field.name);
        connect(edit, &QLineEdit::editingFinished, this, &DriverEditor::previewChanged);
        InstallWheelStepper(edit, field.width,
                            isFrequency(field.name) ? StepFunction(StepFrequency)
                                                    : StepFunction(StepPercent),
                            [this] { previewChanged(); });
    }
    for (QSlider* slider : m_sliders) {
        connect(slider, &QSlider::valueChanged, this, &DriverEditor::previewChanged);
    }
}

void DriverEditor::previewChanged() {
    if (m_filling || !isVisible()) {
        return;
    }
    applyControls();
    refreshDerived();
    emit previewed();
}

} // namespace tavrel
