// tavrel: the desktop program.
//   tavrel [PROJECT]
//   tavrel --screenshot FILE.png [--tab NAME] [--window NAME] [PROJECT]
#include "app/data_directory.h"
#include "app/terms.h"
#include "app/ui/main_window.h"
#include "app/ui/screenshot_windows.h"
#include "app/ui/terms_dialog.h"
#include "app/version.h"
#include "foundation/my_ini_file.h"
#include "foundation/settings.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace {

using namespace tavrel;

/// Tavrel.ini lives beside the program in a build tree or a writable portable folder,
/// otherwise in the user's configuration directory, which is made when `makeFolder` allows.
QString settingsDirectory(const QString& programDir, const QString& dataDir, bool makeFolder) {
    if (SettingsBesideProgram(ToStoreText(programDir), ToStoreText(dataDir),
                              QFileInfo(programDir).isWritable())) {
        return programDir;
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (makeFolder) {
        QDir().mkpath(config);
    }
    return config;
}

TSettings loadSettings(const QString& settingsDir) {
    TSettings settings;
    settings.ProgramDir = ToStoreText(QDir::toNativeSeparators(settingsDir));
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

std::set<QWidget*> visibleWindows() {
    std::set<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isWindow()) {
            windows.insert(widget);
        }
    }
    return windows;
}

/// Calls `found` with the first top-level window that becomes visible after this call, or with
/// nullptr when none appears within ten seconds.
void awaitNewWindow(QObject* context, std::function<void(QWidget*)> found) {
    auto before = std::make_shared<std::set<QWidget*>>(visibleWindows());
    auto* poll = new QTimer(context);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, context, [=] {
        for (QWidget* widget : visibleWindows()) {
            if (before->count(widget) == 0) {
                poll->deleteLater();
                poll->stop();
                found(widget);
                return;
            }
        }
        if (++*waited > 200) {
            poll->stop();
            poll->deleteLater();
            found(nullptr);
        }
    });
    poll->start(50);
}

/// The window's picture; a window that shows its results in the main window asks to be
/// pictured beside it.
QPixmap pictureOf(QWidget& main, QWidget* widget) {
    if (!widget->property("pictureBesideMain").toBool()) {
        return widget->grab();
    }
    const QPixmap left = main.grab(), right = widget->grab();
    QPixmap both(left.width() + right.width(), std::max(left.height(), right.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width(), 0, right);
    return both;
}

void closeWindow(QWidget* widget) {
    if (auto* dialog = qobject_cast<QDialog*>(widget)) {
        dialog->reject();
    } else {
        widget->close();
    }
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
    const QCommandLineOption windowName(
        "window",
        "With --screenshot: open the named window as its menu item does and save its picture "
        "instead of the main window's (for example properties, active-filter:2).",
        "NAME");
    parser.addOption(screenshot);
    parser.addOption(tab);
    parser.addOption(windowName);
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
    const QString dataDir =
        FromStoreText(DataDirectory(ToStoreText(programDir))); // share/tavrel when installed
    // A picture is all a screenshot run writes: no settings, no folders, no recovery copy.
    TSettings settings = loadSettings(settingsDirectory(programDir, dataDir, !screenshotMode));
    if (!screenshotMode && !checkTerms(settings)) {
        return 0;
    }

    TMainForm window(settings, dataDir);
    if (!screenshotMode) {
        window.EnableRecovery(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    } else {
        window.KeepSettingsFile();
    }
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
    std::optional<WindowOpener> opener;
    if (parser.isSet(windowName)) {
        QString error;
        opener = FindWindowOpener(window, parser.value(windowName), error);
        if (!opener) {
            std::fprintf(stderr, "tavrel: %s\n", qPrintable(error));
            return 2;
        }
    }
    int exitCode = 0;
    bool taken = false;
    const QString file = parser.value(screenshot);
    const auto quit = [&] {
        window.MutableProject().saved = true; // quit without asking to save
        window.close();
        app.quit();
    };
    const auto save = [&](QWidget* widget) {
        if (!pictureOf(window, widget).save(file)) {
            std::fprintf(stderr, "tavrel: cannot write %s\n", qPrintable(file));
            exitCode = 2;
        } else if (window.ErrorCount() > 0) {
            exitCode = 1;
        }
    };
    QObject::connect(&window, &TMainForm::resultsHandedOver, &app, [&] {
        if (taken) {
            return;
        }
        taken = true;
        window.Tabs()->setCurrentIndex(tabIndex);
        if (!opener || PicturesMainWindow(parser.value(windowName))) {
            if (opener) {
                QTimer::singleShot(0, &app, [&] { (*opener)(); });
            }
            QTimer::singleShot(opener ? 800 : 0, &app, [&] {
                save(&window);
                quit();
            });
            return;
        }
        awaitNewWindow(&app, [&](QWidget* shown) {
            if (shown == nullptr) {
                std::fprintf(stderr, "tavrel: the window '%s' did not open\n",
                             qPrintable(parser.value(windowName)));
                exitCode = 2;
                quit();
                return;
            }
            QTimer::singleShot(400, &app, [&, shown] {
                save(shown);
                closeWindow(shown);
                quit();
            });
        });
        QTimer::singleShot(0, &app, [&] { (*opener)(); });
    });
    QApplication::exec();
    return exitCode;
}
