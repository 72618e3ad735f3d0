// The "Copy / exchange driver" dialog: copies one driver slot onto another or swaps two, on a
// private copy of the project, as often as the user likes before accepting the result.
#pragma once

#include "model/projekt.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;

namespace tavrel {

class TFormCopyDriver : public QDialog {
    Q_OBJECT
public:
    explicit TFormCopyDriver(const TProjekt& projekt, QWidget* parent = nullptr);
    /// The project copy with every operation executed so far.
    const TProjekt& Project() const { return *m_project; }
    /// "Execute now": the chosen operation on the copy; both lists keep their selection.
    void ExecuteNow();

private:
    void fillDriverLists();

    std::unique_ptr<TProjekt> m_project;
    QComboBox* m_source = nullptr;
    QComboBox* m_operation = nullptr;
    QComboBox* m_target = nullptr;
    QCheckBox* m_enclosure = nullptr;
    QCheckBox* m_baffle = nullptr;
};

} // namespace tavrel
