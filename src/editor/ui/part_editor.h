// TFormParteditor ("Edit part"): edits one slot of a crossover network — its type, value,
// series resistance, comment, driver, polarity and optimize mark — and can take a real part
// from the parts library.
#pragma once

#include "editor/parts_library.h"
#include "model/weiche.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrel {

struct TProjekt;

class TFormParteditor : public QDialog {
    Q_OBJECT
public:
    explicit TFormParteditor(QWidget* parent = nullptr);

    /// Shows `part`; the driver list comes from `projekt`, the library from `partsDir`.
    /// `amp` is the amplifier index of the open network.
    void Load(const TWeichePart& part, const TProjekt& projekt, const std::string& partsDir,
              int amp);
    /// Offers only part type `typ` (its radio button alone, and its page in the library).
    void RestrictToType(int typ);
    /// The slot as the controls describe it (what "&Ok" stores).
    TWeichePart Edited() const;
    /// Places the dialog with its top left corner at `global`, inside the screen's work area.
    void PlaceNear(QPoint global);
    /// "select part from list ...".
    void SelectFromLibrary();

private:
    void showType(int typ);
    int tickedType() const;

    TWeichePart m_part{};
    std::string m_partsDir;
    int m_amp = -1;
    int m_onlyType = -1;
    std::array<QRadioButton*, 7> m_types{};
    QLabel* m_valueLabel = nullptr;
    QLineEdit* m_value = nullptr;
    QLabel* m_unit = nullptr;
    QLineEdit* m_rvalue = nullptr;
    QLabel* m_rvalueUnit = nullptr;
    QLabel* m_commentLabel = nullptr;
    QLineEdit* m_comment = nullptr;
    QCheckBox* m_negPolarity = nullptr;
    QComboBox* m_drivers = nullptr;
    QCheckBox* m_optimize = nullptr;
    QPushButton* m_ok = nullptr;
};

/// Opens the part editor on `part` offering only the type `allowedType` (2 resistor,
/// 3 capacitor, 4 inductance), with the parts library on that kind's page. The edited part
/// with OK, nothing otherwise.
std::optional<TWeichePart> EditPartOfType(QWidget* parent, const TWeichePart& part, int allowedType,
                                          const TProjekt& projekt, const std::string& partsDir);

} // namespace tavrel
