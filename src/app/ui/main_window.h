// TMainForm: the main window. It owns the current project, the reference project, the undo
// stack and the calculation thread, runs the project workflow (new, load, save, undo,
// reference, properties) and shows the results in its chart tabs.
#pragma once

#include "app/recovery_copy.h"
#include "app/tuning_gesture.h"
#include "app/undo_stack.h"
#include "engine/calc_thread.h"
#include "engine/result.h"
#include "foundation/settings.h"
#include "model/projekt.h"
#include "optimizer/opti_run.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;

namespace tavrel {

class TFormRechnen;
class TFormCalcUtils;
class TFormWOptimize2;
class ToleranceWindow;
class PartsListWindow;
struct ToleranceResult;
class TFormWeicheneditor;
class DriverEditor;
class ChartTabSet;
struct PortResult;
struct RadiatorInputs;
class TuningPanel;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// `programDir` holds the bundled Default.TVP and pictures (see DataDirectory).
    TMainForm(TSettings settings, QString programDir, QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Loads the start project (`path` when it exists, else Default.TVP beside the program),
    /// offers what a program that was not closed properly left in the recovery folder, and
    /// requests the first calculation.
    void Start(const QString& path);
    /// Keeps a recovery copy of the modified project in `folder` from now on, written at most
    /// once per `interval`. Without this call (tests, screenshots) nothing is kept.
    void EnableRecovery(const QString& folder,
                        std::chrono::milliseconds interval = std::chrono::seconds(3));

    /// Chooses a project file to open (`save` false) or to save to; empty when cancelled. A
    /// save also chooses the store form: `coded` holds the current one and receives the
    /// choice. Tests replace the file dialogs with it.
    using FileChooser = std::function<QString(bool save, const QString& directory, bool& coded)>;
    static void SetFileChooser(FileChooser chooser);

    // The workflow operations (menu items call these; tests call them directly).
    void NewProject();
    /// "Load project file ...": asks before discarding changes, then for the file.
    void LoadProjectFromMenu();
    /// "Save project file ...": asks for the name, then saves.
    bool SaveProjectFromMenu();
    /// Saves to the project's own file; asks for a name when it has none yet.
    bool SaveProjectInPlace();
    bool LoadProject(const QString& path);
    /// Saves in the form the project was opened in, or in the given form.
    bool SaveProject(const QString& chosenName);
    bool SaveProject(const QString& chosenName, bool coded);
    /// The store form of the current project's file (a new project is coded).
    bool ProjectCoded() const { return m_projectCoded; }
    /// Leaves the settings file as it is at quit (a run that only takes a picture).
    void KeepSettingsFile() { m_saveSettingsOnQuit = false; }
    void Undo();
    void Redo();
    void PushUndo(const std::string& text);
    void SetReference();
    void ExchangeReference();
    void RestoreReference();
    void DeleteReference();
    void EditProperties();
    void EditActiveFilter(int amp);
    /// "Edit crossover network..." of amplifier `amp` (1..6).
    void EditNetwork(int amp);
    /// "Show crossover network editor".
    void ShowNetworkEditor();
    TFormWeicheneditor* NetworkEditor() const { return m_networkEditor; }
    bool NetworkEditorOpen() const { return m_networkEditorOpen; }
    /// The directory of the parts files: the chosen one, else the one shipped beside the
    /// program.
    std::string PartsDirectory() const;
    void EditDirectories();
    /// "Driver N: ...": opens the driver editor on slot `d` (0-based) at `page` (0 to 3).
    void EditDriver(int d, int page = 0);
    /// "Show driver editor": brings the open driver editor to the front.
    void ShowDriverEditor();
    /// Closes the driver editor without applying its changes (before project-wide changes).
    void CloseDriverEditor();
    bool DriverEditorOpen() const { return m_driverEditorOpen; }
    /// Null until the first EditDriver.
    DriverEditor* DriverEditorWindow() const { return m_driverEditor; }
    void ExportResults();
    void ExportDspSettings();
    /// Shows the utilities window on calculator page 0..4 (sealed / vented, port, crossovers,
    /// dividers, impedance correction).
    void ShowCalculator(int page);
    void EditCommonHousing();
    void EditViewOptions();
    void CopyDriver();
    void RequestCalc();
    void RequestFullCalc();
    void MarkModified();
    /// "Crossover network optimizer ...": refused while the crossover or driver editor is open.
    void OpenOptimizer();
    /// "Show optimizer".
    void ShowOptimizer();
    /// The optimizer window, once opened.
    TFormWOptimize2* Optimizer() const { return m_optimizer; }
    /// "Tolerance analysis ...".
    void OpenToleranceAnalysis();
    /// The tolerance analysis window, once opened.
    ToleranceWindow* ToleranceAnalysis() const { return m_tolerance; }
    /// "Parts list ...": every part's load at the input level of the excursion chart.
    void OpenPartsList();
    PartsListWindow* PartsList() const { return m_partsList; }
    /// "Export design report...": the PDF of the project as calculated, to `path` or to the
    /// file the user chooses.
    void ExportDesignReport(QString path = {});

    /// One live tuning step: pushes `undoText` when the step starts a new gesture on the value
    /// `key`, lets `change` write into the project, marks it modified and recalculates.
    void ApplyTuning(const std::string& key, const std::string& undoText,
                     const std::function<void(TProjekt&)>& change);
    /// "Show tuning panel".
    void ShowTuningPanel();
    /// Both null until the first ShowTuningPanel.
    TuningPanel* Tuning() const { return m_tuningPanel; }
    QDockWidget* TuningDock() const { return m_tuningDock; }

    const TProjekt& Project() const { return *m_project; }
    TProjekt& MutableProject() { return *m_project; }
    const TResult& Displayed() const { return *m_displayed; }
    bool HasReference() const { return m_hasReference; }
    bool CalculationFinished() const;
    int HandOvers() const { return m_handOvers; }
    int ErrorCount() const { return m_errorCount; }
    QTabWidget* Tabs() const { return m_tabs; }

signals:
    void resultsHandedOver();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createMenus();
    void createTabs();
    void createStatusBar();
    void startCalcThread();
    void stopCalcThread();
    void showProgress(int done, int count);
    void showErrors(const std::vector<std::string>& errors);
    void handOver(std::shared_ptr<TResult> result, bool valid);
    /// The list of the last pass's errors, made when first needed.
    TFormRechnen* calcWindow();
    void updateCharts();
    void refreshMenus();
    void refreshUndoActions();
    void stepHistory(bool redo);
    void updateCaption();
    void setFileName(const std::string& path);
    void resetProject();
    void loadProjectFile(const std::string& path);
    bool waitForCalculation();
    bool askSaveBeforeQuit();
    const TOptionBlock* programWideOptions() const;
    void armDriverUpdateCheck();
    void checkNextDriverForUpdate();
    void createOptimizer();
    bool closeOptimizer();
    void setOptimizerRunning(bool running);
    void optimizerClosed(const TProjekt* result, bool optimized);
    bool fixPartByHand(const FixationRequest& request);
    void showToleranceSpread(const ToleranceResult& result);
    /// The spread belongs to the project it was computed for: any change removes it.
    void clearToleranceSpread();
    void createTuningPanel();
    /// Calculates the project as an open dialog would change it, without changing it.
    void previewCalc(const std::function<void(TProjekt&)>& change);
    /// Back to the project's own results after a preview that was not kept.
    void endPreview();
    void createNetworkEditor();
    void closeNetworkEditor();
    void applyNetwork(int amp, const TWeiche& weiche, const std::string& undoText);
    void createDriverEditor();
    /// "Use for driver N" of the port calculator.
    void usePortForDriver(int d, const PortResult& port);
    void useRadiatorsForDriver(int d, const RadiatorInputs& page);
    bool calculatorMayChange(int d);
    void takeEnclosure(int d, const TEinbau& einbau, const std::string& what);
    void driverEdited();
    /// Before the driver editor opens on slot `d`: the user applies, drops or keeps the
    /// unapplied changes of the driver it shows; false when the editor stays as it is.
    bool settleDriverEditor(int d);
    /// Driver `d` was reloaded from its file: an editor open on it is told.
    void driverReloaded(int d);
    void setDriverEditorOpen(bool open);
    /// Closes both editors without applying them, before the project is replaced.
    void closeEditors();
    /// The recovery copy follows the project after the current event: written while the
    /// project is modified, deleted once it is saved or its changes were discarded.
    void scheduleRecoveryCopy();
    void updateRecoveryCopy();
    void offerRecovery();
    bool restoreRecoveryCopy(const RecoveryCopy& copy);

    TSettings m_settings;
    QString m_programDir;
    std::unique_ptr<TProjekt> m_project;
    std::unique_ptr<TProjekt> m_reference;
    bool m_hasReference = false;
    UndoStack m_undo;
    std::string m_fileName;
    bool m_projectCoded = true;                ///< the form a save keeps
    std::shared_ptr<TResult> m_displayed;      ///< the calculation thread's last hand-over
    std::shared_ptr<TResult> m_optimizerShown; ///< the optimizer's best design, when shown
    std::unique_ptr<TCalcThread> m_calc;
    int m_errorCount = 0; ///< errors of the last pass handed over
    int m_handOvers = 0;

    QTimer* m_updateTimer = nullptr;
    int m_updateIndex = 0; ///< next driver the update check looks at

    QTabWidget* m_tabs = nullptr;
    std::unique_ptr<ChartTabSet> m_chartTabs;
    QLabel* m_status = nullptr;
    TFormRechnen* m_calcWindow = nullptr;                 ///< see calcWindow()
    std::optional<std::vector<std::string>> m_lastErrors; ///< of the last pass
    TFormCalcUtils* m_calcUtils = nullptr;                ///< made on first use
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    bool m_saveSettingsOnQuit = true;
    std::array<QAction*, 3> m_referenceActions{};
    std::array<QAction*, 9> m_driverActions{};
    DriverEditor* m_driverEditor = nullptr;
    bool m_driverEditorOpen = false;
    QAction* m_showDriverEditorAction = nullptr;
    std::array<QMenu*, MaxAmps> m_ampMenus{};
    TFormWeicheneditor* m_networkEditor = nullptr;
    bool m_networkEditorOpen = false;
    QAction* m_showNetworkEditor = nullptr;
    TFormWOptimize2* m_optimizer = nullptr;
    QAction* m_showOptimizerAction = nullptr;
    std::unique_ptr<RecoveryWriter> m_recovery;
    bool m_recoveryScheduled = false;
    ToleranceWindow* m_tolerance = nullptr;
    PartsListWindow* m_partsList = nullptr;
    TuningGesture m_gesture;
    QDockWidget* m_tuningDock = nullptr;
    TuningPanel* m_tuningPanel = nullptr;
    bool m_previewing = false; ///< the calculation holds a dialog's preview, not the project
};

} // namespace tavrel
