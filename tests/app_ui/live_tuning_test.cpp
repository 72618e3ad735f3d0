// Live tuning as a user does it: the wheel over a part in the crossover editor, the tuning
// panel, and the driver editor's preview that Abort takes back.
#include "app/ui/tuning_panel.h"
#include "driver_editor/ui/driver_editor.h"
#include "editor/part_tuning.h"
#include "editor/schematic_layout.h"
#include "editor/ui/crossover_editor.h"
#include "support/main_window_fixture.h"
#include "support/wheel_event.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tavrel {
namespace {

using test::Wheel;

int firstSlotOf(const TWeiche& weiche, int typ) {
    for (int slot = 0; slot < WeicheGridSlots; ++slot) {
        if (weiche[slot].typ == typ) {
            return slot;
        }
    }
    return -1;
}

class LiveTuning : public test::MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        // A mouse entering a window makes Qt create its pointing device as a child of the
        // application, which would be torn down after Qt's device list at exit and crash.
        for (const QInputDevice* device : QInputDevice::devices()) {
            if (device->parent() == qApp) {
                delete device;
            }
        }
    }
    std::string undoCaption() const {
        return window->findChild<QAction*>("ActUndo")->text().toStdString();
    }
};

TEST_F(LiveTuning, WheelOverAPartAppliesEveryNotchAndOneUndoTakesTheGestureBack) {
    startAndWait();
    const auto before = std::make_unique<TProjekt>(window->Project());
    window->EditNetwork(1);
    TFormWeicheneditor* editor = window->NetworkEditor();
    const int slot = firstSlotOf(before->Amps[0].Weiche, PartCapacitor);
    const SchematicMetrics metrics = MetricsForSize(2);
    const PixelRect rect = *SlotRect(metrics, slot);
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_EQ(HitSlot(metrics, {centre.x(), centre.y()}), slot);
    auto* view = editor->findChild<QWidget*>("PaintBox1");
    double expected = before->Amps[0].Weiche[slot].value;
    for (const bool fine : {false, false, true}) {
        Wheel(view, centre, 1, fine ? Qt::ControlModifier : Qt::NoModifier);
        expected =
            TunedValue(expected, PartCapacitor, 1, fine ? TuneMode::Fine : TuneMode::Series, 2);
        EXPECT_DOUBLE_EQ(window->Project().Amps[0].Weiche[slot].value, expected);
        EXPECT_EQ(editor->Working(), window->Project().Amps[0].Weiche);
    }
    EXPECT_EQ(undoCaption(),
              "&Undo \"" + TuneUndoText(PartName(before->Amps[0].Weiche, slot)) + "\"");
    ASSERT_TRUE(waitForHandOver());
    window->Undo(); // the whole gesture at once; the editor stays open on the old network
    EXPECT_EQ(window->Project().Amps[0].Weiche, before->Amps[0].Weiche);
    EXPECT_EQ(editor->Working(), before->Amps[0].Weiche);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(undoCaption(), "&Undo");
}

TEST_F(LiveTuning, PanelStepsAndTakesTypedValuesAndFollowsUndo) {
    startAndWait();
    window->ShowTuningPanel();
    TuningPanel* panel = window->Tuning();
    const auto& rows = panel->Rows();
    const auto row = std::find_if(rows.begin(), rows.end(), [](const TuningRow& r) {
        return r.target == TuningTarget::Level;
    });
    ASSERT_NE(row, rows.end());
    QLineEdit* field = panel->Field(static_cast<int>(row - rows.begin()));
    Wheel(field, QPoint(5, 5), 2);
    EXPECT_NEAR(window->Project().Amps[0].AktFilter.Pegel, 1.01 * 1.01, 1e-12);
    field->setText("-6");
    field->setModified(true);
    emit field->editingFinished();
    EXPECT_NEAR(window->Project().Amps[0].AktFilter.Pegel, std::pow(10.0, -0.3), 1e-12);
    ASSERT_TRUE(waitForHandOver());
    window->Undo(); // one gesture: the wheel and the typed value
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 1.0);
    EXPECT_EQ(field->text(), "0");
}

TEST_F(LiveTuning, ActiveFilterSectionsPreviewUnderTheWheelAndAbortRestores) {
    startAndWait();
    const auto project = std::make_unique<TProjekt>(window->Project());
    const auto shown = std::make_unique<TResult>(window->Displayed());
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>("BtnAddSection")->click(); // a peaking EQ of 0 dB
        Wheel(dialog->findChild<QLineEdit*>("EditEQ1g"), QPoint(5, 5), 20);
        previewed = waitForHandOver() && !(window->Displayed() == *shown);
        dialog->reject();
    });
    window->EditActiveFilter(1);
    EXPECT_TRUE(previewed);
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(window->Project(), *project);
    EXPECT_TRUE(window->Displayed() == *shown);
}

TEST_F(LiveTuning, DriverEditorPreviewsEveryStepAndAbortRestoresTheCurvesExactly) {
    startAndWait();
    const auto project = std::make_unique<TProjekt>(window->Project());
    const auto shown = std::make_unique<TResult>(window->Displayed());
    window->EditDriver(0, 1);
    auto* volume = window->DriverEditorWindow()->findChild<QLineEdit*>("EditVb");
    const double litres = volume->text().replace(',', '.').toDouble();
    for (int step = 0; step < 3; ++step) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(volume, &up);
    }
    EXPECT_NEAR(volume->text().replace(',', '.').toDouble(), litres * std::pow(1.01, 3), 1e-3);
    ASSERT_TRUE(waitForHandOver());
    EXPECT_FALSE(window->Displayed() == *shown);
    EXPECT_EQ(window->Project(), *project); // only a preview
    window->DriverEditorWindow()->Abort();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_TRUE(window->Displayed() == *shown);
}

} // namespace
} // namespace tavrel
