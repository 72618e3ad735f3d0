#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_tab_set.h"
#include "charts/ui/chart_tabs.h"
#include "qt_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

using namespace tavrel::testing;

class ChartTabs : public ::testing::Test {
protected:
    void SetUp() override { test::TestApplication(); }

    QImage m_picture = LoadPlaceholderPicture(QStringLiteral(TAVREL_SOURCE_DIR "/data"));
    std::unique_ptr<TResult> m_result = MakeSampleResult();
    std::unique_ptr<TProjekt> m_projekt = MakeSampleProjekt();
};

TEST_F(ChartTabs, ResponseCheckBoxesAreFoundByNameAndSwitchCurves) {
    ResponseChartTab tab(m_picture);
    EXPECT_TRUE(tab.updateFromResults(*m_result, *m_projekt).isEmpty());
    auto* single = tab.findChild<QCheckBox*>("CB_FgangAchseEinzel");
    auto* impedance = tab.findChild<QCheckBox*>("CB_Impedanz");
    auto* energy = tab.findChild<QCheckBox*>("CB_FgangEnergie");
    ASSERT_TRUE(single && impedance && energy);
    TVChart& chart = tab.chartBox()->chart(0);
    EXPECT_EQ(chart.titles[0], "Frequency response whole speaker");
    EXPECT_TRUE(chart.curve(1).visible);
    EXPECT_TRUE(chart.curve(3).visible); // impedance at amplifier 1
    EXPECT_FALSE(chart.curve(25).visible);

    single->setChecked(false);
    energy->setChecked(true);
    impedance->setChecked(false);
    EXPECT_FALSE(chart.curve(1).visible);
    EXPECT_FALSE(chart.curve(2).visible);
    EXPECT_FALSE(chart.curve(3).visible);
    EXPECT_TRUE(chart.curve(25).visible);
}

TEST_F(ChartTabs, PhaseControlsFollowTheDriversAndChangeTheCurves) {
    PhaseChartTab tab(m_picture);
    tab.show();
    tab.updateFromResults(*m_result, *m_projekt);
    auto* first = tab.findChild<QCheckBox*>("CBPha1");
    auto* second = tab.findChild<QCheckBox*>("CBPha2");
    auto* third = tab.findChild<QCheckBox*>("CBPha3");
    auto* rear = tab.findChild<QCheckBox*>("CBPhaRueck");
    auto* distance = tab.findChild<QLineEdit*>("EditPhaBezug");
    ASSERT_TRUE(first && second && third && rear && distance);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(second->text(), QString::fromUtf8("Hochtöner (2)"));
    EXPECT_FALSE(third->isVisible());
    EXPECT_FALSE(third->isChecked());

    TVChart& chart = tab.chartBox()->chart(0);
    EXPECT_TRUE(chart.curve(2).visible);
    EXPECT_FALSE(chart.curve(3).visible);
    rear->setChecked(true);
    EXPECT_TRUE(chart.curve(3).visible);
    second->setChecked(false);
    EXPECT_FALSE(chart.curve(2).visible);

    const double before = chart.curve(0).y[50];
    distance->setText("8,6");
    EXPECT_NE(chart.curve(0).y[50], before);

    m_result->nChassis = 1; // the second driver disappears: its box is hidden and unchecked
    tab.updateFromResults(*m_result, *m_projekt);
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(second->isChecked());
}

TEST_F(ChartTabs, DriverTabsShowTheirFourDrivers) {
    DriverChartsTab firstFour(0, m_picture);
    DriverChartsTab lastFour(4, m_picture);
    firstFour.updateFromResults(*m_result, *m_projekt);
    lastFour.updateFromResults(*m_result, *m_projekt);
    EXPECT_TRUE(firstFour.chartBox()->chart(0).hasData);
    EXPECT_EQ(firstFour.chartBox()->chart(1).titles[0], "Frequency response Hocht\xF6ner (2)");
    EXPECT_FALSE(firstFour.chartBox()->chart(2).hasData);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(lastFour.chartBox()->chart(i).hasData);
    }
}

TEST_F(ChartTabs, ReferenceCurvesFromStoredOrOtherResults) {
    MaxSplChartTab tab(m_picture);
    tab.updateFromResults(*m_result, *m_projekt);
    TVChart& umax = tab.chartBox()->chart(0);
    tab.storeAsReference();
    EXPECT_EQ(umax.reference(0).y, umax.curve(0).y);
    tab.clearReference();
    EXPECT_FALSE(umax.reference(0).visible);

    const auto other = MakeSampleResult();
    other->Umax[3] = 500.0;
    tab.setReferenceFromResults(*other, *m_projekt);
    EXPECT_TRUE(umax.reference(0).visible);
    EXPECT_DOUBLE_EQ(umax.reference(0).y[3], 500.0);
    EXPECT_NE(umax.curve(0).y[3], 500.0);
}

TEST_F(ChartTabs, ChartsRepaintAtTheNewSizeWithFittedFonts) {
    DirectionsChartTab tab(m_picture);
    tab.updateFromResults(*m_result, *m_projekt);
    tab.resize(1400, 900);
    tab.show();
    const QImage large = tab.grab().toImage();
    const PixelRect largePlot = tab.chartBox()->chart(3).plotRect();
    const int largeFont = tab.chartBox()->chart(3).charHeight();
    tab.resize(500, 360);
    const QImage small = tab.grab().toImage();
    const PixelRect smallPlot = tab.chartBox()->chart(3).plotRect();
    EXPECT_LT(smallPlot.width(), largePlot.width());
    EXPECT_LT(tab.chartBox()->chart(3).charHeight(), largeFont);
    // The lower right chart lies in the lower right cell.
    const QRect cell = tab.chartBox()->cellRect(3);
    EXPECT_GE(smallPlot.left, cell.left());
    EXPECT_LE(smallPlot.bottom, cell.bottom());
    EXPECT_GT(InkShare(small), 0.02);
    EXPECT_GT(InkShare(large), 0.02);
}

TEST_F(ChartTabs, PolarScrollBarSelectsTheFrequency) {
    PolarChartTab tab;
    tab.updateFromResults(*m_result, *m_projekt);
    auto* scroll = tab.findChild<QScrollBar*>("ScrollBarPolar");
    auto* label = tab.findChild<QLabel*>("LabelPolarFrequency");
    ASSERT_TRUE(scroll && label);
    EXPECT_EQ(scroll->maximum(), SamplePoints - 1);
    scroll->setValue(SamplePoints - 1);
    EXPECT_EQ(label->text(), "frequency: 20000 Hz");
    EXPECT_TRUE(tab.polarBox()->horizontal().enabled);
    EXPECT_EQ(tab.polarBox()->vertical().count, 12);
    EXPECT_EQ(tab.polarBox()->horizontal().title, "horizontal");
}

TEST_F(ChartTabs, SingleChartTabsCarryTheirTitles) {
    SingleChartTab voltage(ChartKind::Voltage, m_picture);
    SingleChartTab delay(ChartKind::GroupDelay, m_picture);
    voltage.updateFromResults(*m_result, *m_projekt);
    delay.updateFromResults(*m_result, *m_projekt);
    EXPECT_EQ(voltage.chartBox()->chart(0).titles[1], "0 dB = 2,83V");
    EXPECT_TRUE(voltage.chartBox()->chart(0).curve(1).visible);
    EXPECT_EQ(delay.chartBox()->chart(0).y1Type, AxisType::Milliseconds);
}

TEST(ChartTabSet, InputLevelTypedInWattsOnOneTabMovesBothCharts) {
    test::TestApplication();
    QTabWidget tabs;
    ChartTabSet set(tabs, QImage());
    const auto result = testing::MakeSampleResult();
    const auto projekt = testing::MakeSampleProjekt();
    result->PCone[0].fill({0.5, 0.0});
    projekt->Chassis[0].Amem = 0.02;
    projekt->Chassis[0].xlin = 0.005;
    set.updateCharts(*result, *projekt);
    EXPECT_EQ(tabs.tabText(tabs.indexOf(set.ventVelocity())), "Vent air velocity");
    auto* watts = set.excursion()->findChild<QLineEdit*>("EditInputWatts");
    auto* volts = set.ventVelocity()->findChild<QLineEdit*>("EditInputVolts");
    ASSERT_TRUE(watts && volts);
    EXPECT_EQ(volts->text(), "2,83");
    set.storeAsReference();
    TVChart& excursion = set.excursion()->chartBox()->chart(0);
    const double before = excursion.curve(0).y[1];
    ASSERT_GT(before, 0);
    watts->setText("50");
    emit watts->textEdited(watts->text());
    EXPECT_DOUBLE_EQ(set.inputLevel().level().volts, 20.0);
    EXPECT_NEAR(excursion.curve(0).y[1], before * 20 / 2.83, 1e-9 * excursion.curve(0).y[1]);
    EXPECT_DOUBLE_EQ(excursion.reference(0).y[1], excursion.curve(0).y[1]); // same design
    EXPECT_DOUBLE_EQ(excursion.reference(1).y[1], excursion.curve(1).y[1]); // xlin stays
    EXPECT_EQ(volts->text(), "20");
    EXPECT_NE(set.excursion()->chartBox()->chart(0).titles[1].find("at 20 V rms"),
              std::string::npos);
}

TEST(ChartTabSet, CreatesEveryTabAndUpdatesThemTogether) {
    test::TestApplication();
    QTabWidget tabs;
    const QImage picture = LoadPlaceholderPicture(QStringLiteral(TAVREL_SOURCE_DIR "/data"));
    ChartTabSet set(tabs, picture);
    ASSERT_EQ(tabs.count(), 15);
    EXPECT_EQ(tabs.tabText(0), "Frequency response.");
    EXPECT_EQ(tabs.tabText(tabs.indexOf(set.step())), "Step response");
    EXPECT_EQ(tabs.tabText(tabs.indexOf(set.ventVelocity())), "Vent air velocity");
    EXPECT_TRUE(tabs.isTabVisible(tabs.indexOf(set.groupDelay())));
    EXPECT_FALSE(tabs.isTabVisible(tabs.indexOf(set.electricalPhase())));
    EXPECT_FALSE(tabs.isTabVisible(tabs.indexOf(set.drivers5to8())));
    EXPECT_NE(tabs.findChild<QCheckBox*>("CB_FgangEnergie"), nullptr);
    EXPECT_NE(tabs.findChild<QLineEdit*>("EditPhaBezug"), nullptr);

    const auto result = testing::MakeSampleResult();
    const auto projekt = testing::MakeSampleProjekt();
    EXPECT_TRUE(set.updateCharts(*result, *projekt).isEmpty());
    EXPECT_TRUE(set.directivity()->chartBox()->chart(0).hasData);
    EXPECT_EQ(set.polar()->scrollBar()->maximum(), testing::SamplePoints - 1);

    set.storeAsReference();
    EXPECT_TRUE(set.response()->chartBox()->chart(0).reference(0).visible);
    set.clearReference();
    EXPECT_FALSE(set.response()->chartBox()->chart(0).reference(0).visible);

    set.showDriverTabs(5);
    EXPECT_TRUE(tabs.isTabVisible(tabs.indexOf(set.drivers5to8())));
    EXPECT_EQ(tabs.tabText(tabs.indexOf(set.drivers1to4())), "Driver 1..4");
    set.showDriverTabs(4);
    EXPECT_FALSE(tabs.isTabVisible(tabs.indexOf(set.drivers5to8())));
    EXPECT_EQ(tabs.tabText(tabs.indexOf(set.drivers1to4())), "Driver");
}

} // namespace
} // namespace tavrel
