// TFormAktFilter: edits a copy of one amplifier's active filter (level, six sections and the
// DSP channel: delay, polarity and further sections).
#pragma once

#include "model/projekt.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace tavrel {

class TDspChannelPanel;

class TFormAktFilter : public QDialog {
    Q_OBJECT
public:
    explicit TFormAktFilter(QWidget* parent = nullptr);

    /// Shows `filter` for amplifier `amp` (1-based); a level of 0 or below is reset to 0 dB
    /// with a message.
    void Load(const TAktFilter& filter, int amp);
    /// The dialog's values as a record (every field parsed, enabled or not).
    TAktFilter Edited() const;

signals:
    /// A number field changed (typed and confirmed, wheel, arrow keys): Edited() is worth a
    /// preview calculation.
    void valuesChanged();

private:
    struct Section {
        QCheckBox* check = nullptr;
        QWidget* panel = nullptr;
        QLineEdit* frequency = nullptr;
        QLineEdit* q = nullptr;
    };
    Section addSection(QGridLayout* grid, int row, const char* checkName, const char* caption,
                       const char* frequencyName, const char* qName);
    /// Number fields step with the wheel and the arrow keys and report every change.
    void connectPreview();

    QLineEdit* m_level = nullptr;
    std::array<Section, 6> m_sections{}; ///< HP6, HP121, HP122, TP6, TP121, TP122
    QGroupBox* m_group = nullptr;
    TDspChannelPanel* m_dsp = nullptr;
};

} // namespace tavrel
