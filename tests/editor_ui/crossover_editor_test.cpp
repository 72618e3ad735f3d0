// The crossover editor as a user drives it on the Default project: a part taken from the
// shipped library changes the amplifier's impedance and undo brings it back; the questions on
// closing; the part editor restricted to one part type.
#include "editor/schematic_layout.h"
#include "editor/ui/crossover_editor.h"
#include "editor/ui/part_editor.h"
#include "editor/ui/parts_library_dialog.h"
#include "support/main_window_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <vector>

namespace tavrel {
namespace {

constexpr int SlotC1 = 124;
constexpr int SlotTweeter = 106;

/// Runs `step` on the modal dialog of type T once it is shown.
template <typename T>
void whenModal(std::function<void(T&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        step(*dialog);
    });
}

class CrossoverEditor : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        window->Start(TAVREL_EXAMPLES_DIR "/Default.TVP");
        ASSERT_TRUE(waitForHandOver());
    }
    void adjust(TSettings& settings) override {
        settings.Verzeichnisvorgaben = true;
        settings.PartsDir = TAVREL_SOURCE_DIR "/data/parts/";
    }
    int answer(const QString&, const QStringList&, int) override {
        ++questions;
        return reply;
    }
    /// Impedance magnitudes of amplifier 1 over the grid.
    std::vector<double> impedance() const {
        const TResult& r = window->Displayed();
        std::vector<double> z;
        for (int k = 0; k < r.nFreq; ++k) {
            z.push_back(CAbs(r.AmpZ[0][k]));
        }
        return z;
    }

    int questions = 0;
    int reply = 2;
};

TEST_F(CrossoverEditor, PartFromTheLibraryChangesTheImpedanceAndUndoRestoresIt) {
    const std::vector<double> before = impedance();
    window->EditNetwork(1);
    TFormWeicheneditor& editor = *window->NetworkEditor();
    EXPECT_TRUE(window->NetworkEditorOpen());

    whenModal<TFormParteditor>([](TFormParteditor& part) {
        whenModal<TFormWParts>([](TFormWParts& library) {
            auto* list = library.findChild<QListWidget*>("ListCapacitors");
            const auto found =
                list->findItems(QString::fromUtf8("MKP 250V:6,8 µF"), Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            library.ChooseRow(list->row(found.first()));
            library.accept();
        });
        part.findChild<QPushButton*>("BtnLibrary")->click();
        part.accept();
    });
    editor.EditPart(SlotC1, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(editor.Working()[SlotC1].value, 6.8e-6);
    EXPECT_EQ(editor.Working()[SlotC1].bem.str(), "MKP 250V");

    const PixelRect tweeter = *SlotRect(MetricsForSize(2), SlotTweeter);
    editor.Click(MouseButton::Right, true, false, QPoint(tweeter.left + 4, tweeter.top + 4));
    EXPECT_FALSE(IsReversed(editor.Working()[SlotTweeter]));

    editor.Ok();
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(window->NetworkEditorOpen());
    ASSERT_TRUE(waitForHandOver());
    EXPECT_DOUBLE_EQ(window->Project().Amps[0].Weiche[SlotC1].value, 6.8e-6);
    const std::vector<double> after = impedance();
    double largestChange = 0.0;
    for (std::size_t k = 0; k < before.size(); ++k) {
        largestChange = std::max(largestChange, std::abs(after[k] / before[k] - 1.0));
    }
    EXPECT_GT(largestChange, 0.05);

    window->Undo();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_DOUBLE_EQ(window->Project().Amps[0].Weiche[SlotC1].value, 1.8e-6);
    EXPECT_EQ(impedance(), before);
}

TEST_F(CrossoverEditor, OkOnANetworkWithoutAmpAndDriverAsksTwiceBeforeApplying) {
    window->MutableProject().Amps[0].Weiche = TWeiche{};
    window->EditNetwork(1);
    TFormWeicheneditor& editor = *window->NetworkEditor();
    editor.Click(MouseButton::Left, false, false, QPoint(30, 5)); // a wire in slot 0
    reply = 1;                                                    // "change now"
    editor.Ok();
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(editor.isVisible());
    reply = 2; // "go ahead with it"
    editor.Ok();
    EXPECT_EQ(questions, 4);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.Amp(), -1);
    EXPECT_EQ(window->Project().Amps[0].Weiche[0].typ, PartWire);
    EXPECT_FALSE(window->Project().saved);
}

TEST_F(CrossoverEditor, ClosesWithoutApplyingBeforeAProjectWideChange) {
    window->EditNetwork(1);
    TFormWeicheneditor& editor = *window->NetworkEditor();
    editor.SetOptimizeMarks(MarkScope::AllParts);
    window->RestoreReference(); // no reference: nothing to restore, editor stays
    window->Undo();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(window->Project().Amps[0].Weiche[SlotC1].bOpti);
    editor.Apply(); // closed: nothing happens
    EXPECT_FALSE(window->Project().Amps[0].Weiche[SlotC1].bOpti);
}

TEST_F(CrossoverEditor, RestrictedPartEditorOffersOneTypeAndKeepsThePartOnAbort) {
    const TWeichePart c1 = window->Project().Amps[0].Weiche[SlotC1];
    int visibleTypes = 0;
    whenModal<TFormParteditor>([&](TFormParteditor& part) {
        for (QRadioButton* radio : part.findChildren<QRadioButton*>()) {
            visibleTypes += radio->isVisible() ? 1 : 0;
        }
        part.reject();
    });
    EXPECT_FALSE(
        EditPartOfType(window.get(), c1, PartCapacitor, window->Project(), "").has_value());
    EXPECT_EQ(visibleTypes, 1);
}

} // namespace
} // namespace tavrel
