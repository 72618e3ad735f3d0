// tavrel: the desktop program.
//   tavrel [PROJECT]
//   tavrel --screenshot FILE.png [--tab NAME] [PROJECT]
#include "app/terms.h"
#include "app/ui/choice_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/store_text.h"
#include "app/ui/terms_dialog.h"
#include "app/version.h"
#include "foundation/my_ini_file.h"
#include "foundation/settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace {

using namespace tavrel;

/// Tavrel.ini lives beside the program when that directory is writable (a portable
/// install), otherwise in the user's configuration directory.
QString settingsDirectory(const QString& programDir) {
    if (QFileInfo(programDir).isWritable()) {
        return programDir;
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}

TSettings loadSettings(const QString& programDir) {
    TSettings settings;
    settings.ProgramDir = ToStoreText(QDir::toNativeSeparators(settingsDirectory(programDir)));
    LoadSettings(settings);
    return settings;
}

/// False when the user declined the terms of use (the program then ends).
bool checkTerms(const TSettings& settings) {
    const Date today = Today();
    switch (CheckTerms(settings.SettingsPath, ProgramVersion, today)) {
    case TermsStep::None:
        return true;
    case TermsStep::ShowReminder:
        ShowMessage(nullptr, "This version of Tavrel has not been updated for a long time. Free "
                             "updates may be available from the Tavrel web site.");
        return true;
    case TermsStep::AskTerms:
        break;
    }
    const bool accepted = TermsDialog::Ask(nullptr);
    const std::string error =
        RecordTermsAnswer(settings.SettingsPath, ProgramVersion, accepted, today);
    if (!error.empty()) {
        ShowMessage(nullptr, FromStoreText(error));
    }
    return accepted;
}

int selectTab(QTabWidget* tabs, const QString& name) {
    if (name.isEmpty()) {
        return 0;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        QString text = tabs->tabText(i);
        text.remove('&');
        if (text.compare(name, Qt::CaseInsensitive) == 0 ||
            text.startsWith(name, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tavrel");
    QCommandLineParser parser;
    parser.setApplicationDescription("Tavrel loudspeaker box simulator");
    parser.addHelpOption();
    const QCommandLineOption screenshot("screenshot",
                                        "Save a picture of the main window after the first "
                                        "calculation and quit.",
                                        "FILE.png");
    const QCommandLineOption tab("tab", "The tab shown in the picture (default: the first).",
                                 "NAME");
    parser.addOption(screenshot);
    parser.addOption(tab);
    parser.addPositionalArgument("PROJECT", "Project file to open (default: Default.TVP).");
    parser.process(app);

    const bool screenshotMode = parser.isSet(screenshot);
    if (screenshotMode) {
        // Nobody is there to answer: every question takes its default, and the terms of use
        // count as accepted for this run only.
        TUniAuswahlDlg::SetHandler([](const QString& text, const QStringList&, int def) {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            return def;
        });
    }
    TMyIniFile::SetMessageHandler(
        [](const std::string& message) { ShowMessage(nullptr, FromStoreText(message)); });

    const QString programDir = QCoreApplication::applicationDirPath();
    TSettings settings = loadSettings(programDir);
    if (!screenshotMode && !checkTerms(settings)) {
        return 0;
    }

    TMainForm window(settings, programDir);
    window.show();
    const QStringList positional = parser.positionalArguments();
    window.Start(positional.isEmpty() ? QString() : positional.first());
    if (!screenshotMode) {
        return QApplication::exec();
    }

    const int tabIndex = selectTab(window.Tabs(), parser.value(tab));
    if (tabIndex < 0) {
        std::fprintf(stderr, "tavrel: no tab named '%s'\n", qPrintable(parser.value(tab)));
        return 2;
    }
    int exitCode = 0;
    bool taken = false;
    QObject::connect(&window, &TMainForm::resultsHandedOver, &app, [&] {
        if (taken) {
            return;
        }
        taken = true;
        window.Tabs()->setCurrentIndex(tabIndex);
        QTimer::singleShot(200, &app, [&] {
            const QString file = parser.value(screenshot);
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "tavrel: cannot write %s\n", qPrintable(file));
                exitCode = 2;
            } else if (window.ErrorCount() > 0) {
                exitCode = 1;
            }
            window.MutableProject().saved = true; // quit without asking to save
            window.close();
            app.quit();
        });
    });
    QApplication::exec();
    return exitCode;
}
