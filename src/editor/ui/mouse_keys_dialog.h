// TFormTastbeleg ("Mouse key assignment"): the action of each mouse button and modifier on
// the schematic.
#pragma once

#include "editor/click_actions.h"

#include <QDialog>
#include <array>

class QButtonGroup;

namespace tavrel {

class TFormTastbeleg : public QDialog {
    Q_OBJECT
public:
    explicit TFormTastbeleg(QWidget* parent = nullptr);
    void Load(std::int32_t assignment);
    std::int32_t Assignment() const;

private:
    std::array<QButtonGroup*, AssignmentDigits> m_groups{};
};

} // namespace tavrel
