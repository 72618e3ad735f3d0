// The desktop program's main window for widget tests: its settings kept in a scratch folder
// that holds a copy of Default.TVP, its questions answered by the test, its calculations
// waited for while the event loop runs.
#pragma once

#include "app/ui/main_window.h"
#include "foundation/settings.h"
#include "foundation/ui/choice_dialog.h"
#include "support/qt_application.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel::test {

/// Waits (serving the event loop) until `done` holds; false after the timeout.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 120000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return done();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        std::filesystem::copy_file(std::filesystem::path(TAVREL_EXAMPLES_DIR) / "Default.TVP",
                                   dir / "Default.TVP");
        TUniAuswahlDlg::SetHandler([this](const QString& text, const QStringList& buttons,
                                          int def) { return answer(text, buttons, def); });
        TSettings settings;
        settings.ProgramDir = dir.path().string();
        LoadSettings(settings);
        adjust(settings);
        window = std::make_unique<TMainForm>(settings, QString::fromStdString(settings.ProgramDir));
    }
    void TearDown() override {
        window->MutableProject().saved = true;
        window.reset();
        TUniAuswahlDlg::SetHandler({});
        TMainForm::SetFileChooser({});
    }
    /// How the test answers a question of the program; by default as the program proposes.
    virtual int answer(const QString&, const QStringList&, int proposed) { return proposed; }
    virtual void adjust(TSettings&) {}

    /// Shows the window, starts it on `project` (the default one when empty) and waits for the
    /// first calculation.
    void startAndWait(const QString& project = {}) {
        window->show();
        window->Start(project);
        ASSERT_TRUE(waitForHandOver());
    }
    /// Waits until the window has taken over a new calculation result and nothing runs.
    bool waitForHandOver() {
        const int before = handOvers;
        const bool ok = WaitFor([&] { return window->HandOvers() > before; }) &&
                        WaitFor([&] { return window->CalculationFinished(); });
        handOvers = window->HandOvers();
        return ok;
    }

    ScratchDir dir{"ui"};
    std::unique_ptr<TMainForm> window;
    int handOvers = 0;
};

} // namespace tavrel::test
