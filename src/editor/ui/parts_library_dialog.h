// TFormWParts ("Crossover network parts"): the parts library. It lists the resistors,
// inductances and capacitors of the parts files and hands the chosen one to the part editor.
#pragma once

#include "editor/parts_library.h"

#include <QDialog>
#include <array>
#include <string>

class QLabel;
class QListWidget;
class QTabWidget;

namespace tavrel {

class TFormWParts : public QDialog {
    Q_OBJECT
public:
    explicit TFormWParts(std::string partsDir, QWidget* parent = nullptr);

    /// The part the editor wants (kind 2..4) preselects its page and entry when shown.
    void SetWanted(const ChosenPart& wanted);
    /// Shows only the page of part type `typ` (2..4).
    void RestrictToType(int typ);
    /// Reads the parts files and selects the wanted entry (done when shown).
    void Fill();
    /// Chooses entry `index` of the active page, as a click does.
    void ChooseRow(int index);
    const ChosenPart& Chosen() const { return m_chosen; }
    PartsPage Page() const { return activePage(); }
    void SetPage(PartsPage page);
    const PartsLists& Lists() const { return m_lists; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void choose(PartsPage page, int index);
    PartsPage activePage() const;

    std::string m_partsDir;
    PartsLists m_lists;
    ChosenPart m_wanted;
    ChosenPart m_chosen;
    QTabWidget* m_pages = nullptr;
    std::array<QListWidget*, PartsPageCount> m_views{};
    QLabel* m_selected = nullptr;
    QLabel* m_leftOut = nullptr;
};

} // namespace tavrel
