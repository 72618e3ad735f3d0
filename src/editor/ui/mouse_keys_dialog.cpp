#include "editor/ui/mouse_keys_dialog.h"

#include "editor/ui/ok_abort_buttons.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

constexpr const char* GroupCaptions[AssignmentDigits] = {
    "Action on click left",          "action on click right",
    "action on shift + click  left", "action on shift + click  right",
    "action on ctrl + click  left",  "action on ctrl + click  right"};

} // namespace

TFormTastbeleg::TFormTastbeleg(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormTastbeleg");
    setWindowTitle("Mouse key assignment");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int d = 0; d < AssignmentDigits; ++d) {
        auto* box = new QGroupBox(GroupCaptions[d], this);
        box->setObjectName(QString("GroupDigit%1").arg(d));
        auto* column = new QVBoxLayout(box);
        m_groups[d] = new QButtonGroup(box);
        for (int a = 0; a < ClickActionCount; ++a) {
            auto* radio = new QRadioButton(ClickActionCaptions[a], box);
            m_groups[d]->addButton(radio, a);
            column->addWidget(radio);
        }
        grid->addWidget(box, d / 2, d % 2);
    }
    layout->addLayout(grid);
    layout->addWidget(OkAbortButtons(this));
}

void TFormTastbeleg::Load(std::int32_t assignment) {
    const auto digits = DigitsOfAssignment(assignment);
    for (int d = 0; d < AssignmentDigits; ++d) {
        m_groups[d]->button(digits[d])->setChecked(true);
    }
}

std::int32_t TFormTastbeleg::Assignment() const {
    std::array<int, AssignmentDigits> digits{};
    for (int d = 0; d < AssignmentDigits; ++d) {
        digits[d] = std::max(m_groups[d]->checkedId(), 0);
    }
    return AssignmentOfDigits(digits);
}

} // namespace tavrel
