#include "app/ui/main_window.h"

#include "app/project_load.h"
#include "app/ui/active_filter_dialog.h"
#include "app/ui/calc_window.h"
#include "app/ui/directories_dialog.h"
#include "app/ui/export_dialog.h"
#include "app/ui/project_properties_dialog.h"
#include "app/ui/terms_dialog.h"
#include "app/version.h"
#include "app/workflow.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_tab_set.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/projekt_file.h"
#include "optimizer/ui/optimizer_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace tavrel {

namespace {

/// The status bar text; a click shows the calculation window.
class StatusLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (onClick) {
            onClick();
        }
    }
};

QAction* addItem(QMenu* menu, const QString& caption, const char* name,
                 std::initializer_list<const char*> shortcuts = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QList<QKeySequence> keys;
    for (const char* shortcut : shortcuts) {
        keys << QKeySequence(shortcut);
    }
    action->setShortcuts(keys);
    return action;
}

} // namespace

TMainForm::TMainForm(TSettings settings, QString programDir, QWidget* parent)
    : QMainWindow(parent), m_settings(std::move(settings)), m_programDir(std::move(programDir)),
      m_project(std::make_unique<TProjekt>()), m_reference(std::make_unique<TProjekt>()),
      m_displayed(MakeSharedResult()) {
    setObjectName("TMainForm");
    move(66, 0);
    resize(1100, 760);
    createMenus();
    createTabs();
    createStatusBar();
    createNetworkEditor();
    m_updateTimer = new QTimer(this);
    m_updateTimer->setInterval(200);
    connect(m_updateTimer, &QTimer::timeout, this, &TMainForm::checkNextDriverForUpdate);
    resetProject();
    m_project->saved = true;
}

TMainForm::~TMainForm() {
    // Waiting for the calculation thread runs the event loop: the driver check must not fire
    // into the window as it comes apart, nor see the optimizer it just deleted.
    m_updateTimer->stop();
    delete m_optimizer; // its thread may still report into this window's members
    m_optimizer = nullptr;
    stopCalcThread();
}

void TMainForm::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("MenuFile");
    connect(addItem(file, "&New project", "ActNew", {"Ctrl+N"}), &QAction::triggered, this,
            &TMainForm::NewProject);
    connect(addItem(file, "&Load project file ...", "ActLoad", {"Ctrl+O"}), &QAction::triggered,
            this, &TMainForm::LoadProjectFromMenu);
    connect(addItem(file, "Save project", "ActSaveInPlace", {"Ctrl+S"}), &QAction::triggered, this,
            &TMainForm::SaveProjectInPlace);
    connect(addItem(file, "&Save project file ...", "ActSave", {"Ctrl+Shift+S"}),
            &QAction::triggered, this, &TMainForm::SaveProjectFromMenu);
    connect(addItem(file, "Export results ...", "ActExport"), &QAction::triggered, this,
            &TMainForm::ExportResults);
    connect(addItem(file, "Export design report...", "ActDesignReport"), &QAction::triggered, this,
            [this] { ExportDesignReport(); });
    connect(addItem(file, "Export DSP settings...", "ActExportDsp"), &QAction::triggered, this,
            &TMainForm::ExportDspSettings);
    connect(addItem(file, "Poject &properties", "ActProperties"), &QAction::triggered, this,
            &TMainForm::EditProperties);
    connect(addItem(file, "&Quit program", "ActQuit", {"Ctrl+Q"}), &QAction::triggered, this,
            &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("MenuEdit");
    m_undoAction = addItem(edit, "&Undo", "ActUndo", {"Ctrl+Z"});
    m_undoAction->setEnabled(false);
    connect(m_undoAction, &QAction::triggered, this, &TMainForm::Undo);
    m_redoAction = addItem(edit, "&Redo", "ActRedo", {"Ctrl+Shift+Z", "Ctrl+Y"});
    m_redoAction->setEnabled(false);
    connect(m_redoAction, &QAction::triggered, this, &TMainForm::Redo);
    connect(addItem(edit, "Set current project as reference", "ActSetReference"),
            &QAction::triggered, this, &TMainForm::SetReference);
    m_referenceActions[0] =
        addItem(edit, "Exchange project with reference", "ActExchangeReference");
    connect(m_referenceActions[0], &QAction::triggered, this, &TMainForm::ExchangeReference);
    m_referenceActions[1] = addItem(edit, "Restore reference", "ActRestoreReference");
    connect(m_referenceActions[1], &QAction::triggered, this, &TMainForm::RestoreReference);
    m_referenceActions[2] = addItem(edit, "Delete reference", "ActDeleteReference");
    connect(m_referenceActions[2], &QAction::triggered, this, &TMainForm::DeleteReference);
    for (QAction* action : m_referenceActions) {
        action->setEnabled(false);
    }

    QMenu* drivers = menuBar()->addMenu("&Drivers && Enclosures");
    drivers->setObjectName("MenuDrivers");
    connect(addItem(drivers, "Common outer housing", "ActHousing"), &QAction::triggered, this,
            &TMainForm::EditCommonHousing);
    for (int d = 0; d < ChassisSlots; ++d) {
        m_driverActions[d] = addItem(drivers, QString("Driver &%1: ...").arg(d + 1), "ActDriver");
        m_driverActions[d]->setObjectName(QString("ActDriver%1").arg(d + 1));
        connect(m_driverActions[d], &QAction::triggered, this, [this, d] { EditDriver(d); });
    }
    connect(addItem(drivers, "Copy driver", "ActCopyDriver"), &QAction::triggered, this,
            &TMainForm::CopyDriver);

    for (int a = 0; a < MaxAmps; ++a) {
        // The sixth menu's caption is spelled as users of the program know it.
        const QString caption = a == 5 ? "Amplfier &6" : QString("Amplifier &%1").arg(a + 1);
        m_ampMenus[a] = menuBar()->addMenu(caption);
        m_ampMenus[a]->setObjectName(QString("MenuAmp%1").arg(a + 1));
        QAction* filter = addItem(m_ampMenus[a], "&Active filter...", "ActActiveFilter");
        filter->setObjectName(QString("ActActiveFilter%1").arg(a + 1));
        connect(filter, &QAction::triggered, this, [this, a] { EditActiveFilter(a + 1); });
        QAction* network = addItem(m_ampMenus[a], "Edit &crossover network...", "ActNetwork");
        network->setObjectName(QString("ActNetwork%1").arg(a + 1));
        connect(network, &QAction::triggered, this, [this, a] { EditNetwork(a + 1); });
    }

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("MenuOptions");
    connect(addItem(options, "View options", "ActViewOptions"), &QAction::triggered, this,
            &TMainForm::EditViewOptions);
    connect(addItem(options, "Directories", "ActDirectories"), &QAction::triggered, this,
            &TMainForm::EditDirectories);

    QMenu* extras = menuBar()->addMenu("Extras");
    extras->setObjectName("MenuExtras");
    const char* calculators[] = {
        "Dimensioning sealed / vented enclosure",      "Dimensioning of port",
        "Dimensioning of standard crossover networks", "Dimensioning of voltage dividers",
        "Dimensioning of impedance correction",        "Dimensioning of passive radiators"};
    for (int page = 0; page < 6; ++page) {
        QAction* calculator = addItem(extras, calculators[page], "ActCalculator");
        calculator->setObjectName(QString("ActCalculator%1").arg(page + 1));
        connect(calculator, &QAction::triggered, this, [this, page] { ShowCalculator(page); });
        if (page == 0) {
            calculator->setShortcut(QKeySequence("Ctrl+B"));
        }
    }
    connect(addItem(extras, "Crossover network optimizer ...", "ActOptimizer"), &QAction::triggered,
            this, &TMainForm::OpenOptimizer);
    connect(addItem(extras, "Tolerance analysis ...", "ActTolerance"), &QAction::triggered, this,
            &TMainForm::OpenToleranceAnalysis);
    connect(addItem(extras, "Parts list ...", "ActPartsList"), &QAction::triggered, this,
            &TMainForm::OpenPartsList);

    QMenu* windows = menuBar()->addMenu("&Windows");
    windows->setObjectName("MenuWindows");
    m_showNetworkEditor = addItem(windows, "Show crossover network editor", "ActShowNetworkEditor");
    m_showNetworkEditor->setEnabled(false);
    connect(m_showNetworkEditor, &QAction::triggered, this, &TMainForm::ShowNetworkEditor);
    m_showDriverEditorAction = addItem(windows, "Show driver editor", "ActShowDriverEditor");
    m_showDriverEditorAction->setEnabled(false);
    connect(m_showDriverEditorAction, &QAction::triggered, this, &TMainForm::ShowDriverEditor);
    m_showOptimizerAction = addItem(windows, "Show optimizer", "ActShowOptimizer");
    m_showOptimizerAction->setEnabled(false);
    connect(m_showOptimizerAction, &QAction::triggered, this, &TMainForm::ShowOptimizer);
    connect(addItem(windows, "Show tuning panel", "ActShowTuningPanel"), &QAction::triggered, this,
            &TMainForm::ShowTuningPanel);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("MenuHelp");
    connect(addItem(help, "Brief instructions", "ActInstructions", {"F1"}), &QAction::triggered,
            this, [this] {
                ShowMessage(
                    this, "Describe your drivers and boxes, draw the crossover networks and watch "
                          "the charts: every change is calculated at once.");
            });
    connect(addItem(help, "Terms of use / Disclaimer", "ActTerms"), &QAction::triggered, this,
            [this] { TermsDialog::Show(this); });
    connect(addItem(help, "&Info ...", "ActInfo"), &QAction::triggered, this, [this] {
        ShowMessage(this, QString("Tavrel %1\nLoudspeaker box simulator").arg(ProgramVersion));
    });
}

void TMainForm::createTabs() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("PageControl");
    m_chartTabs = std::make_unique<ChartTabSet>(*m_tabs, LoadPlaceholderPicture(m_programDir));
    InputLevelSetting& level = m_chartTabs->inputLevel();
    level.setLevel({m_settings.InputVolts, m_settings.VentVelocityLimit});
    connect(&level, &InputLevelSetting::changed, this, [this, &level] {
        m_settings.InputVolts = level.level().volts; // written to the settings file on quit
        m_settings.VentVelocityLimit = level.level().ventLimit;
    });
    setCentralWidget(m_tabs);
}

void TMainForm::createStatusBar() {
    auto* status = new StatusLabel(this);
    status->onClick = [this] { calcWindow()->show(); };
    m_status = status;
    m_status->setObjectName("StatusBar");
    m_status->setAutoFillBackground(true);
    m_status->setCursor(Qt::PointingHandCursor);
    statusBar()->addWidget(m_status, 1);
    m_status->setText("Ready");
}

void TMainForm::Start(const QString& path) {
    const std::string requested = ToStoreText(path);
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        loadProjectFile(requested);
    } else {
        loadProjectFile(ToStoreText(QDir(m_programDir).filePath("Default.TVP")));
    }
    m_project->saved = true;
    offerRecovery();
    armDriverUpdateCheck();
    refreshMenus();
    startCalcThread();
    RequestFullCalc();
}

} // namespace tavrel
