// The driver editor "Edit driver and enclosure": a window that edits private copies of one
// driver slot's driver, enclosure and baffle records on four pages. "Ok" hands the copies to
// the main window (through `applied`), "Abort" drops them. Loading and saving driver files,
// the measurement import, the level change and the voice-coil fit work on the copies.
#pragma once

#include "driver_editor/driver_fields.h"
#include "driver_editor/editor_controls.h"
#include "driver_editor/measurement_import.h"
#include "model/projekt.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QTableWidget;
class QTabWidget;
class QWidget;

namespace tavrel {

class ChartBox;

class DriverEditor : public QDialog {
    Q_OBJECT
public:
    DriverEditor(const QImage& placeholder, QWidget* parent = nullptr);
    ~DriverEditor() override;

    /// What a file dialog is for; tests and the screenshot mode answer without a window.
    enum class FileUse { LoadDriver, SaveDriver, ImportResponse, ImportImpedance };
    /// A driver save also chooses the store form: `coded` holds the current one and receives
    /// the choice.
    using FileChooser = std::function<QString(FileUse use, const QString& directory, bool& coded)>;
    static void SetFileChooser(FileChooser chooser);
    /// Asks for the level change in dB; nothing when cancelled.
    using LevelAsker = std::function<std::optional<QString>()>;
    static void SetLevelAsker(LevelAsker asker);

    /// Copies slot `slot` of `project` into the working records, fills every control and
    /// shows the window on `page` (0 to 3).
    void Open(int slot, const TProjekt& project, const QString& driverDirectory, int page = 0);
    int Slot() const { return m_slot; }
    const DriverRecords& Records() const { return *m_records; }

    /// Whether the controls or the working records differ from the slot as it was opened
    /// (compared as the controls show them, so recomputed derived values do not count).
    bool HasUnappliedChanges();
    /// The project's driver of this slot was reloaded from its newer file: the editor follows
    /// when it holds no changes, otherwise the user keeps either the changes or the file.
    void TakeReloadedDriver(const TChassis& reloaded);

    // The commands (buttons call these; tests call them directly).
    /// False when the closing check kept the editor open.
    bool Ok();
    void Abort();
    void Update();
    void LoadDriver();
    void SaveDriver();
    void ImportResponse(bool impedance);
    void ModifyLevel();
    void FitVoiceCoil();
    void FitThieleSmall();
    /// After an import stored a magnitude: the file's phase or the minimum phase.
    void choosePhase(ImportKind kind, const ImportDialogs& dialogs, bool fileHadPhase);
    void ShowVolumeHint();
    void ShowMassHint();

signals:
    /// "Ok" was pressed and the closing check passed: Records() holds the edited slot.
    void applied();
    /// The window was closed by "Ok" or "Abort".
    void closed();
    /// A number field or slider changed (typed and confirmed, wheel, arrow keys): Records()
    /// holds the edited slot for a preview calculation.
    void previewed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    QString defaultFileDialog(FileUse use, const QString& title, const QString& filter,
                              bool& coded);
    QWidget* buildDriverPage();
    QWidget* buildEnclosurePage();
    QWidget* buildBafflePage();
    QWidget* buildMorePage();
    void addFields(QGridLayout* grid, EditorPage page, int columns);
    void addChecks(QGridLayout* grid, EditorPage page, int row);
    void addLists(QGridLayout* grid, EditorPage page, int row);
    QWidget* buildTables();
    QWidget* buildEnclosureChoice();
    QWidget* buildDampingSliders();

    EditorControls readControls() const;
    void fillControls();
    void applyControls();
    void refreshDerived();
    void refreshChart();
    void updateDependencies();
    void updateEnclosureLayout();
    void enclosureSettingChanged();
    /// Number fields step with the wheel and the arrow keys, and every change asks for a
    /// preview.
    void connectPreview();
    void previewChanged();
    /// The chosen file; the import passes its own title and filter.
    QString chooseFile(FileUse use, const QString& title = {}, const QString& filter = {});
    QString chooseFile(FileUse use, bool& coded);

    std::unique_ptr<DriverRecords> m_records;
    std::unique_ptr<DriverRecords> m_opened; ///< the slot as it was opened or last applied
    EditorControls m_filled;
    int m_slot = 0;
    bool m_driverCoded = true; ///< store form of the driver file last loaded or saved
    bool m_filling = false;
    QString m_driverDirectory;
    QImage m_placeholder;

    QTabWidget* m_pages = nullptr;
    std::map<std::string, QLineEdit*, std::less<>> m_edits;
    std::map<std::string, QLabel*, std::less<>> m_editLabels;
    std::map<std::string, QCheckBox*, std::less<>> m_checks;
    std::map<std::string, QComboBox*, std::less<>> m_lists;
    std::array<QTableWidget*, 4> m_tables{};
    std::array<QSlider*, 5> m_sliders{};
    std::array<QWidget*, 5> m_sliderBoxes{};
    QButtonGroup* m_enclosure = nullptr;
    std::vector<QLabel*> m_derived;
    QLabel* m_radiatorTuning = nullptr; ///< fp and fb of passive radiators, beside their fields
    ChartBox* m_chart = nullptr;
    /// Names the phase lists that hold a minimum phase computed from their magnitude.
    QLabel* m_computedPhase = nullptr;
    bool m_responsePhaseComputed = false;
    bool m_impedancePhaseComputed = false;
};

} // namespace tavrel
