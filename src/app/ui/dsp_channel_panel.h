// TDspChannelPanel: the DSP part of the active filter dialog — the channel's delay and polarity
// and its list of further sections (add, remove, move up and down, type, fields, switch).
#pragma once

#include "model/projekt.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tavrel {

class TDspChannelPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDspChannelPanel(QWidget* parent = nullptr);

    /// Shows the delay, polarity and further sections of `filter`; sections of type none are
    /// left out, the others keep their order.
    void Load(const TAktFilter& filter);
    /// Writes the shown delay, polarity and sections into `filter` (the sections from EQ1 on).
    void Apply(TAktFilter& filter) const;

signals:
    /// A value changed (typed and confirmed, wheel, switch, type, list): worth a preview.
    void valuesChanged();

private:
    struct Row {
        QCheckBox* on = nullptr;
        QComboBox* type = nullptr;
        std::array<QLineEdit*, 5> fields{};    ///< f, g, q, f2, q2
        std::array<QWidget*, 5> boxes{};       ///< each field with its label
        std::array<QToolButton*, 3> buttons{}; ///< up, down, remove
    };
    Row makeRow(QGridLayout* grid, int index);
    std::array<TDspSection, MaxDspSections> shownSections() const;
    void showSections(const std::array<TDspSection, MaxDspSections>& sections, int count);
    void showFieldsOf(int index);
    /// Changes the list: `change` gets the shown sections and their count.
    template <typename Change>
    void edit(Change change);

    QLineEdit* m_delay = nullptr;
    QCheckBox* m_invert = nullptr;
    std::array<Row, MaxDspSections> m_rows{};
    QPushButton* m_add = nullptr;
    int m_count = 0;
};

} // namespace tavrel
