// The view options dialog: curve colours of amplifiers, drivers and directions (picked with the
// standard colour dialog), the chart scales, and whether they apply to every project.
#pragma once

#include "model/projekt.h"

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tavrel {

class TFormViewOptions : public QDialog {
    Q_OBJECT
public:
    explicit TFormViewOptions(QWidget* parent = nullptr);
    void Load(const TOptionBlock& option, bool useForAllProjects);
    /// The block with the typed scales applied (fallbacks and swaps included).
    TOptionBlock Edited() const;
    bool UseForAllProjects() const;

    /// Picks a colour starting from the given one; nothing when cancelled. Tests replace the
    /// standard colour dialog with it; an empty chooser brings the standard dialog back.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget*)>;
    static void SetColorChooser(ColorChooser chooser);

private:
    void addPanels(QGridLayout* grid, int column, const char* title, std::uint32_t* colours,
                   const QStringList& captions, const char* name);
    void showColours();
    void restoreDefaults();
    void showScales();

    TOptionBlock m_option;
    std::vector<std::pair<QPushButton*, std::uint32_t*>> m_panels;
    QLineEdit *m_afMin = nullptr, *m_afMax = nullptr, *m_dBMin = nullptr, *m_dBMax = nullptr,
              *m_impMax = nullptr;
    QCheckBox* m_useForAll = nullptr;
};

/// 0x00BBGGRR as a colour and back.
QColor FromBgr(std::uint32_t bgr);
std::uint32_t ToBgr(const QColor& colour);

} // namespace tavrel
