// The tolerance window in the main window: a finished analysis puts its spread on the response
// chart until the project changes; a tolerance out of range is refused; the fields are kept.
#include "charts/ui/chart_tab_set.h"
#include "support/main_window_fixture.h"
#include "tolerance/ui/tolerance_window.h"

#include <QLineEdit>
#include <QTabWidget>

namespace tavrel {
namespace {

class ToleranceWindowTest : public test::MainWindowTest {
protected:
    int answer(const QString& text, const QStringList&, int proposed) override {
        messages << text;
        return proposed;
    }
    QLineEdit* field(const char* name) const {
        return window->ToleranceAnalysis()->findChild<QLineEdit*>(name);
    }
    const std::vector<ChartBand>& bands() const {
        auto* tab = qobject_cast<ResponseChartTab*>(window->Tabs()->widget(0));
        return tab->chartBox()->chart(0).bands;
    }
    QStringList messages;
};

TEST_F(ToleranceWindowTest, ShowsTheSpreadUntilTheNextChangeAndRefusesBadTolerances) {
    startAndWait();
    window->OpenToleranceAnalysis();
    ToleranceWindow* tolerance = window->ToleranceAnalysis();
    field("EditTol_c")->setText("120");
    tolerance->StartAnalysis();
    EXPECT_FALSE(tolerance->Running());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Capacitors: a tolerance lies between 0 and 100 %"));

    field("EditTol_c")->setText("7,5");
    field("EditRuns")->setText("4");
    tolerance->StartAnalysis();
    ASSERT_TRUE(test::WaitFor([&] { return !tolerance->Running(); }));
    ASSERT_EQ(bands().size(), 2U); // the speaker's level and the one amplifier's impedance
    EXPECT_EQ(bands()[1].slot, 3); // after the total and the two drivers
    EXPECT_EQ(bands()[0].x.size(), static_cast<std::size_t>(window->Displayed().nFreq));

    window->PushUndo("test");
    window->Undo();
    EXPECT_TRUE(bands().empty());

    TMyIniFile store((dir / "Tavrel.ini").string(), false, false, true);
    const TTolerances kept = ReadTolerances(store);
    EXPECT_EQ(kept[TolKind::Capacitor], 7.5);
    EXPECT_EQ(kept.runs, 4);
}

} // namespace
} // namespace tavrel
