// The driver editor's commands on its working records: driver files, measurement import,
// level change, voice-coil fit and the hint windows.
#include "driver_editor/derived_data.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/measured_minimum_phase.h"
#include "driver_editor/measurement_import.h"
#include "driver_editor/ui/driver_editor.h"
#include "driver_editor/ui/ts_fit_dialog.h"
#include "foundation/number_text.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_form_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/chassis_file.h"
#include "model/voice_coil_fit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>

namespace tavrel {

namespace {

DriverEditor::LevelAsker& levelAsker() {
    static DriverEditor::LevelAsker instance;
    return instance;
}

/// "*.asc; *.txt|*.*" as a file dialog filter.
QString qtFilter(const std::string& filters) {
    QStringList parts;
    for (const QString& group : FromStoreText(filters).split('|')) {
        QString patterns = group;
        patterns.replace(";", "");
        parts << QString("%1 (%2)").arg(group == "*.*" ? "All files" : "Measurements",
                                        group == "*.*" ? "*" : patterns);
    }
    return parts.join(";;");
}

} // namespace

void DriverEditor::SetLevelAsker(LevelAsker asker) {
    levelAsker() = std::move(asker);
}

QString DriverEditor::defaultFileDialog(FileUse use, const QString& title, const QString& filter,
                                        bool& coded) {
    switch (use) {
    case FileUse::LoadDriver:
        return QFileDialog::getOpenFileName(this, "Load driver from file", m_driverDirectory,
                                            StoreFileOpenFilter("Driver", "TVC"));
    case FileUse::SaveDriver:
        return ChooseSaveFileAndForm(this, "Save driver to file", m_driverDirectory, "Driver",
                                     "TVC", coded);
    case FileUse::ImportResponse:
    case FileUse::ImportImpedance:
        break;
    }
    return QFileDialog::getOpenFileName(this, title, m_driverDirectory, filter);
}

void DriverEditor::LoadDriver() {
    const QString path = chooseFile(FileUse::LoadDriver);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return;
    }
    applyControls();
    const FileReadResult read = LoadChassisFile(m_records->chassis, ToStoreText(path));
    if (!read.ok) {
        ShowMessage(this, FromStoreText(read.message));
        return;
    }
    m_driverCoded = read.coded;
    m_responsePhaseComputed = m_impedancePhaseComputed = false;
    m_computedPhase->clear();
    AdoptLoadedDriver(*m_records);
    refreshDerived();
    ShowMessage(this, FromStoreText(DriverLoadedMessage).replace('\r', '\n'));
    fillControls();
}

void DriverEditor::SaveDriver() {
    bool coded = m_driverCoded;
    const QString chosen = chooseFile(FileUse::SaveDriver, coded);
    if (chosen.isEmpty()) {
        return;
    }
    applyControls();
    const FileWriteResult written =
        SaveChassisFile(m_records->chassis, DriverSaveName(ToStoreText(chosen)), coded);
    if (!written.ok) {
        ShowMessage(this, FromStoreText(written.error));
        return;
    }
    m_driverCoded = coded;
}

void DriverEditor::ImportResponse(bool impedance) {
    // What was typed so far is kept: the tables are refilled from the records afterwards.
    applyControls();
    const ImportKind kind = impedance ? ImportKind::Impedance : ImportKind::FrequencyResponse;
    ImportDialogs dialogs;
    dialogs.ask = [this](const std::string& text, const std::string& captions, int def) {
        return TUniAuswahlDlg::Ask(this, FromStoreText(text), FromStoreText(captions), def);
    };
    dialogs.tell = [this](const std::string& text) { ShowMessage(this, FromStoreText(text)); };
    dialogs.chooseFile = [this, kind](const std::string& title, const std::string& filters) {
        const FileUse use =
            kind == ImportKind::Impedance ? FileUse::ImportImpedance : FileUse::ImportResponse;
        // The path goes to the file system as it is, not through the records' 8-bit text.
        return chooseFile(use, FromStoreText(title), qtFilter(filters)).toStdString();
    };
    TChassis& c = m_records->chassis;
    const ImportResult result =
        impedance
            ? tavrel::ImportResponse(kind, {c.FgangIF, c.FgangI, c.FgangIPF, c.FgangIP}, dialogs)
            : tavrel::ImportResponse(kind, {c.FgangAF, c.FgangA, c.FgangAPF, c.FgangAP}, dialogs);
    if (result.imported) {
        if (result.magnitudePoints > 0) {
            choosePhase(kind, dialogs, result.phasePoints > 0);
        }
        fillControls();
    }
}

void DriverEditor::choosePhase(ImportKind kind, const ImportDialogs& dialogs, bool fileHadPhase) {
    const bool impedance = kind == ImportKind::Impedance;
    const int pressed = dialogs.ask("Phase:", "from the file|minimum phase from the magnitude",
                                    fileHadPhase ? 1 : 2);
    const bool computed = pressed == 2 || (pressed == 0 && !fileHadPhase);
    if (computed) {
        const std::string fault = SetMinimumPhase(m_records->chassis, kind);
        if (!fault.empty()) {
            ShowMessage(this, FromStoreText(fault));
        }
    }
    (impedance ? m_impedancePhaseComputed : m_responsePhaseComputed) = computed;
    QStringList names;
    if (m_responsePhaseComputed) {
        names << "acoustic phase";
    }
    if (m_impedancePhaseComputed) {
        names << "electrical phase";
    }
    m_computedPhase->setText(names.isEmpty() ? QString()
                                             : "Computed (minimum phase from the magnitude): " +
                                                   names.join(", "));
}

void DriverEditor::ModifyLevel() {
    std::optional<QString> text;
    if (levelAsker()) {
        text = levelAsker()();
    } else {
        bool ok = false;
        const QString typed = QInputDialog::getText(this, "modify level",
                                                    "modify level of measurement data by [dB] %d",
                                                    QLineEdit::Normal, "0", &ok);
        if (ok) {
            text = typed;
        }
    }
    if (!text) {
        return;
    }
    applyControls();
    tavrel::ModifyLevel(m_records->chassis, TextToFloat(ToStoreText(*text)));
    fillControls();
}

void DriverEditor::FitVoiceCoil() {
    applyControls();
    refreshDerived();
    auto fitted = std::make_unique<TChassis>(m_records->chassis);
    const VoiceCoilFitResult result = tavrel::FitVoiceCoil(*fitted);
    if (!result.ok) {
        ShowMessage(this, FromStoreText(result.message));
        return;
    }
    if (TUniAuswahlDlg::Ask(this, FromStoreText(FitQuestionText(*fitted)), FitQuestionButtons, 2) ==
        1) {
        AdoptFit(m_records->chassis, *fitted);
        fillControls();
    }
}

void DriverEditor::FitThieleSmall() {
    applyControls();
    TsFitDialog dialog(m_records->chassis, this);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.AdoptInto(m_records->chassis);
        refreshDerived();
        fillControls();
    }
}

void DriverEditor::ShowVolumeHint() {
    ShowMessage(this, QString("%1\n\n%2").arg(VolumeHintTitle, FromStoreText(VolumeHintText())));
}

void DriverEditor::ShowMassHint() {
    applyControls();
    ShowMessage(this, FromStoreText(MassHintText(m_records->chassis, m_records->einbau)));
}

} // namespace tavrel
