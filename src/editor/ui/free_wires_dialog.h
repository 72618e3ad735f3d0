// TFormFreiDraht ("Free wires"): ticks and node numbers of the eight free wires.
#pragma once

#include "editor/free_wires.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;

namespace tavrel {

class TFormFreiDraht : public QDialog {
    Q_OBJECT
public:
    explicit TFormFreiDraht(QWidget* parent = nullptr);
    void Load(const TWeiche& weiche);
    /// The network with the dialog's free wires (valid after OK).
    const TWeiche& Edited() const { return m_weiche; }

private:
    void ok();

    TWeiche m_weiche{};
    std::array<QCheckBox*, FreeWireCount> m_on{};
    std::array<QLineEdit*, FreeWireCount> m_from{};
    std::array<QLineEdit*, FreeWireCount> m_to{};
};

} // namespace tavrel
