// Crash recovery end to end: a program killed in the middle of editing, and the next start
// offering its unsaved changes. The killed program is this test program started again on its
// child case, which edits the project and then waits to be killed.
#include "support/main_window_fixture.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* FolderVariable = "TAVREL_TEST_RECOVERY_FOLDER";
constexpr const char* EditedComment = "edited before the kill";

class Recovery : public test::MainWindowTest {
protected:
    int answer(const QString& text, const QStringList& buttons, int proposed) override {
        questions << text;
        lastButtons = buttons;
        return proposed;
    }
    QStringList questions;
    QStringList lastButtons;
};

/// The child case running in a process of its own, killed by SIGKILL at the latest when this
/// goes out of scope.
class EditingProgram {
public:
    explicit EditingProgram(const fs::path& folder) {
        const std::string self = fs::read_symlink("/proc/self/exe").string();
        std::vector<std::string> texts = {self, "--gtest_also_run_disabled_tests",
                                          "--gtest_filter=Recovery.DISABLED_EditsUntilKilled"};
        // The child's own scratch folder goes inside ours, which is removed after the kill.
        std::vector<std::string> environment = {std::string(FolderVariable) + "=" + folder.string(),
                                                "TMPDIR=" + folder.parent_path().string()};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            environment.emplace_back(*variable);
        }
        const auto pointers = [](std::vector<std::string>& strings) {
            std::vector<char*> list;
            for (std::string& text : strings) {
                list.push_back(text.data());
            }
            list.push_back(nullptr);
            return list;
        };
        std::vector<char*> argv = pointers(texts);
        std::vector<char*> envp = pointers(environment);
        if (::posix_spawn(&m_pid, self.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
            m_pid = -1;
        }
    }
    ~EditingProgram() { kill(); }
    EditingProgram(const EditingProgram&) = delete;
    EditingProgram& operator=(const EditingProgram&) = delete;

    pid_t pid() const { return m_pid; }
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
};

// The child: edits the start project and waits (up to two minutes) to be killed.
TEST_F(Recovery, DISABLED_EditsUntilKilled) {
    const char* folder = std::getenv(FolderVariable);
    ASSERT_NE(folder, nullptr);
    window->EnableRecovery(folder, std::chrono::milliseconds(0));
    startAndWait();
    window->PushUndo("comment");
    window->MutableProject().Comment1 = EditedComment;
    window->MarkModified();
    test::WaitFor([] { return false; }, 120000);
}

TEST_F(Recovery, AKilledProgramsChangesAreOfferedAtTheNextStartAndRestored) {
    const fs::path folder = dir / "config";
    EditingProgram child(folder);
    ASSERT_GT(child.pid(), 0);
    const fs::path copy = folder / ("recovery-" + std::to_string(child.pid()) + ".TVP");
    const bool written = test::WaitFor(
        [&] {
            return fs::exists(copy) &&
                   test::ReadWholeFile(copy).find(EditedComment) != std::string::npos;
        },
        60000);

    // While it runs, its copy is its own: another window does not offer it.
    window->EnableRecovery(QString::fromStdString(folder.string()));
    startAndWait();
    EXPECT_TRUE(questions.isEmpty());

    child.kill();
    ASSERT_TRUE(written);
    window->MutableProject().saved = true;
    window.reset(); // a clean end leaves no copy of its own
    TSettings settings;
    settings.ProgramDir = dir.path().string();
    LoadSettings(settings);
    window = std::make_unique<TMainForm>(settings, QString::fromStdString(settings.ProgramDir));
    handOvers = 0;
    window->EnableRecovery(QString::fromStdString(folder.string()));
    startAndWait();

    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith("Tavrel was not closed properly. Restore the unsaved "
                                        "changes to Default.TVP from "))
        << questions[0].toStdString();
    EXPECT_EQ(lastButtons, (QStringList{"Restore", "Discard"}));
    EXPECT_EQ(window->Project().Comment1.str(), EditedComment);
    EXPECT_FALSE(window->Project().saved);
    EXPECT_TRUE(window->windowTitle().endsWith("Default.TVP]"));
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(folder / ("recovery-" + std::to_string(::getpid()) + ".TVP")));
}

} // namespace
} // namespace tavrel
