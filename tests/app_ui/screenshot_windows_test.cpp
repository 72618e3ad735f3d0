// Window names of the screenshot mode: each valid name opens its dialog, wrong names and
// arguments out of range are refused with the form the name takes.
#include "app/ui/main_window.h"
#include "app/ui/screenshot_windows.h"
#include "foundation/settings.h"
#include "support/qt_application.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

struct NameCase {
    const char* name;
    const char* errorStart; ///< empty when the name opens a window
};

TSettings scratchSettings() {
    TSettings settings;
    settings.ProgramDir = std::filesystem::temp_directory_path().string();
    return settings;
}

class WindowName : public ::testing::TestWithParam<NameCase> {
protected:
    ~WindowName() override { window.MutableProject().saved = true; }
    QApplication& app = test::TestApplication();
    TSettings settings = scratchSettings();
    TMainForm window{settings, QString::fromStdString(settings.ProgramDir)};
};

using OpenedWindows = WindowName;

TEST_P(OpenedWindows, ShowTheirDialog) {
    QString error;
    const auto opener = FindWindowOpener(window, GetParam().name, error);
    ASSERT_TRUE(opener.has_value()) << error.toStdString();
    QWidget* opened = nullptr;
    QTimer::singleShot(50, [&] {
        opened = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(opened)) {
            dialog->reject();
        }
    });
    (*opener)();
    EXPECT_NE(opened, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Names, OpenedWindows,
                         ::testing::Values(NameCase{"properties", ""},
                                           NameCase{"active-filter:6", ""},
                                           NameCase{"directories", ""}, NameCase{"export", ""},
                                           NameCase{"housing", ""}, NameCase{"view-options", ""},
                                           NameCase{"copy-driver", ""}));

// Valid names here are not opened: the editors need a calculated project, and a second
// top-level window beside the main window makes this program's static QApplication crash at
// exit under the offscreen platform.
using WindowNames = WindowName;

TEST_P(WindowNames, AreCheckedBeforeOpening) {
    const QString expectedError = GetParam().errorStart;
    QString error;
    EXPECT_EQ(FindWindowOpener(window, GetParam().name, error).has_value(), expectedError.isEmpty())
        << error.toStdString();
    EXPECT_EQ(error.left(expectedError.size()), expectedError);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WindowNames,
    ::testing::Values(NameCase{"calculators:port", ""}, NameCase{"crossover-editor:6", ""},
                      NameCase{"crossover-editor:1:print", ""}, NameCase{"part-editor:1:178", ""},
                      NameCase{"parts-library", ""}, NameCase{"free-wires:2", ""},
                      NameCase{"parts", ""}, NameCase{"mouse-keys", ""},
                      NameCase{"tolerance:run", ""},
                      NameCase{"tolerance:x", "window 'tolerance:x' takes the form"},
                      NameCase{"calculators:box", "window 'calculators:box' takes the form"},
                      NameCase{"active-filter:0", "window 'active-filter:0' takes the form"},
                      NameCase{"active-filter:x", "window 'active-filter:x' takes the form"},
                      NameCase{"properties:1", "window 'properties:1' takes the form"},
                      NameCase{"nothing", "no window named 'nothing'"},
                      NameCase{"crossover-editor:0", "window 'crossover-editor:0' takes the form"},
                      NameCase{"crossover-editor:1:x", "window 'crossover-editor:1:x' takes"},
                      NameCase{"part-editor:1:179", "window 'part-editor:1:179' takes the form"},
                      NameCase{"mouse-keys:1", "window 'mouse-keys:1' takes the form"}));

} // namespace
} // namespace tavrel
