// The main window's crash recovery: a copy of the modified project kept by a background
// writer, and the offer to restore what a program that was not closed properly left behind.
#include "app/project_load.h"
#include "app/ui/main_window.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/file_result.h"

#include <QTimer>

namespace tavrel {

void TMainForm::EnableRecovery(const QString& folder, std::chrono::milliseconds interval) {
    m_recovery = std::make_unique<RecoveryWriter>(folder.toStdString(), interval);
}

void TMainForm::scheduleRecoveryCopy() {
    if (!m_recovery || m_recoveryScheduled) {
        return;
    }
    // Undo snapshots are pushed before the change is made: the copy is taken after it.
    m_recoveryScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_recoveryScheduled = false;
        updateRecoveryCopy();
    });
}

void TMainForm::updateRecoveryCopy() {
    if (!m_recovery) {
        return;
    }
    if (m_project->saved) {
        m_recovery->Discard();
    } else {
        m_recovery->Offer(*m_project, {m_fileName, m_projectCoded});
    }
}

void TMainForm::offerRecovery() {
    if (!m_recovery) {
        return;
    }
    for (const RecoveryCopy& copy : FindOrphanedRecoveryCopies(m_recovery->Folder())) {
        const QString question =
            QString("Tavrel was not closed properly. Restore the unsaved changes to %1 from %2?")
                .arg(FromStoreText(FileNamePart(copy.origin.projectPath)),
                     FromStoreText(copy.time));
        const int answer = TUniAuswahlDlg::Ask(this, question, "Restore|Discard", 1);
        if (answer == 1 && restoreRecoveryCopy(copy)) {
            DeleteRecoveryCopy(copy); // this program's own copy now holds the changes
            return;                   // further copies wait for the next start
        }
        if (answer == 2) {
            DeleteRecoveryCopy(copy);
        }
    }
}

bool TMainForm::restoreRecoveryCopy(const RecoveryCopy& copy) {
    auto restored = std::make_unique<TProjekt>(*m_project);
    const ProjectLoadResult result = LoadProjectFile(*restored, copy.path, programWideOptions());
    if (!result.loaded) {
        ShowMessage(this, FromStoreText(result.message));
        return false;
    }
    PushUndo("Restore unsaved changes");
    *m_project = *restored;
    setFileName(copy.origin.projectPath);
    m_projectCoded = copy.origin.coded;
    MarkModified();
    refreshMenus();
    m_recovery->Offer(*m_project, copy.origin);
    m_recovery->Flush();
    return true;
}

} // namespace tavrel
