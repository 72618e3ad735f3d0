// The optimizer window in the desktop program: started, aborted and closed as a user would,
// and the main window closed while a run is going.
#include "optimizer/ui/optimizer_window.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <map>

namespace tavrel {
namespace {

class OptimizerWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        startAndWait();
    }
    int answer(const QString& text, const QStringList&, int) override {
        asked.push_back(text);
        const auto it = answers.find(text);
        return it == answers.end() ? 1 : it->second;
    }
    /// Opens the optimizer, starts a run on every part and waits for its first iteration.
    TFormWOptimize2& startRun() {
        window->OpenOptimizer();
        TFormWOptimize2& optimizer = *window->Optimizer();
        optimizer.StartOptimization();
        auto* after = optimizer.findChild<QPlainTextEdit*>("MemoAfter");
        auto* before = optimizer.findChild<QPlainTextEdit*>("MemoBefore");
        EXPECT_TRUE(test::WaitFor([&] { return after->toPlainText() != before->toPlainText(); }));
        return optimizer;
    }
    bool menuEnabled(const char* name) const {
        return window->menuBar()->findChild<QMenu*>(name)->menuAction()->isEnabled();
    }

    std::vector<QString> asked;
    std::map<QString, int> answers{
        {"Shall current project saved as reference before optimization?", 2},
        {"No parts marked for optimization. What to do?", 2}};
};

TEST_F(OptimizerWindow, DoesNotOpenBesideTheCrossoverEditor) {
    window->EditNetwork(1);
    window->OpenOptimizer();
    EXPECT_EQ(asked.back(), "Please close the crossover network editor before.");
    EXPECT_EQ(window->Optimizer(), nullptr);
}

TEST_F(OptimizerWindow, AbortThenNoAtTheApplyQuestionRestoresTheProjectExactly) {
    TFormWOptimize2& optimizer = startRun();
    auto initial = std::make_unique<TProjekt>(window->Project()); // with its parts marked
    EXPECT_TRUE(optimizer.Running());
    EXPECT_FALSE(menuEnabled("MenuFile"));
    EXPECT_FALSE(menuEnabled("MenuAmp1"));
    optimizer.AbortOptimization();
    EXPECT_FALSE(optimizer.Running());
    EXPECT_FALSE(menuEnabled("MenuFile")); // the project is the optimizer's until it closes
    answers["Apply optimization results?"] = 2;
    EXPECT_TRUE(optimizer.close());
    EXPECT_EQ(asked.back(), "Apply optimization results?");
    EXPECT_TRUE(window->Project() == *initial);
    EXPECT_TRUE(menuEnabled("MenuFile"));
}

TEST_F(OptimizerWindow, ClosingTheMainWindowDuringARunAsksAndAppliesTheResult) {
    TFormWOptimize2& optimizer = startRun();
    auto initial = std::make_unique<TProjekt>(window->Project());
    answers["Quit program?\r\n\r\nSave current project now?"] = 2;
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(optimizer.Running());
    const std::vector<QString> tail(asked.end() - 3, asked.end());
    EXPECT_EQ(tail, (std::vector<QString>{"Abort optimization?", "Apply optimization results?",
                                          "Quit program?\r\n\r\nSave current project now?"}));
    EXPECT_FALSE(window->Project() == *initial); // the optimized project replaced it
}

} // namespace
} // namespace tavrel
