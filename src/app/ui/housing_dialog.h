// TFormGemGeh: the common outer housing dialog. It shows the housing in cm and, per driver
// slot, whether the driver takes part, its side and its position there (and its vent's for
// vented and bandpass drivers); the caller converts the result into the baffle records.
#pragma once

#include "app/common_housing.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace tavrel {

class TFormGemGeh : public QDialog {
    Q_OBJECT
public:
    explicit TFormGemGeh(QWidget* parent = nullptr);
    void Load(const TProjekt& projekt);
    TGemGeh Housing() const;
    std::array<HousingPlace, MaxChassis> Places() const;

private:
    struct DriverGroup {
        QGroupBox* group = nullptr;
        QCheckBox* use = nullptr;
        QComboBox* direction = nullptr;
        QLineEdit *a = nullptr, *c = nullptr;
        QWidget* position = nullptr; ///< a and c, shown while the driver takes part
        QWidget* vent = nullptr;     ///< shown for vented and bandpass drivers
        QComboBox* directionr = nullptr;
        QLineEdit *ar = nullptr, *cr = nullptr;
        bool vented = false;
    };
    QWidget* createHousingFields();
    QGroupBox* createDriverGroup(int slot);
    void showPositions(int slot);

    std::array<QLineEdit*, 7> m_housing{}; ///< H, B, T, fasl, fasr, faso, fasu
    std::array<DriverGroup, MaxChassis> m_drivers{};
};

} // namespace tavrel
