// The utilities window recalculates on every change and keeps its fields' rules.
#include "app/ui/choice_dialog.h"
#include "calculators/ui/calc_utils_window.h"
#include "support/qt_application.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

QStringList items(const QListWidget* list) {
    QStringList texts;
    for (int n = 0; n < list->count(); ++n) {
        texts << list->item(n)->text();
    }
    return texts;
}

class CalcUtilsWindow : public ::testing::Test {
protected:
    template <class W>
    W* find(const char* name) {
        W* widget = window.findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QApplication& app = test::TestApplication();
    TFormCalcUtils window{QString()};
};

TEST_F(CalcUtilsWindow, BoxPageFollowsItsFields) {
    auto* sealed = find<QListWidget>("ListBox2");
    auto* alternative = find<QListWidget>("ListBox3");
    EXPECT_EQ(items(sealed).first(), "Calculated volume: 38,788 liter");
    find<QLineEdit>("EditAltVab")->setText("");
    find<QLineEdit>("EditAltVab")->setText("x");
    EXPECT_EQ(items(alternative), QStringList{"Alternative volume must be greater than 0."});
    find<QLineEdit>("Editfs")->setText("40");
    EXPECT_EQ(alternative->count(), 0); // until the alternative volume changes again

    find<QLineEdit>("EditQes")->setText("0,6");
    EXPECT_EQ(find<QLineEdit>("EditQts")->text(), "0,4615");

    auto* rv = find<QCheckBox>("CheckBoxRv");
    find<QLineEdit>("EditRdc")->setText("0");
    rv->click();
    EXPECT_FALSE(rv->isChecked());
    EXPECT_FALSE(find<QLineEdit>("EditRdc")->isVisibleTo(&window));
}

TEST_F(CalcUtilsWindow, OtherPagesRecalculateOnChange) {
    auto* port = find<QListWidget>("ListBox5");
    EXPECT_EQ(items(port).last(), "fb = 47,59 Hz");
    find<QLineEdit>("Editk")->setText("0");
    EXPECT_FALSE(items(port).join('\n').contains("fb ="));
    find<QLineEdit>("EditTF")->setText("");
    EXPECT_TRUE(find<QPlainTextEdit>("MemoTP1")->toPlainText().isEmpty());
    find<QLineEdit>("EditR2")->setText("nan");
    EXPECT_TRUE(find<QPlainTextEdit>("Memo3")->toPlainText().isEmpty());
    find<QLineEdit>("EditRLC_fc")->setText("-");
    EXPECT_TRUE(find<QPlainTextEdit>("Memo5")->toPlainText().isEmpty());
    EXPECT_FALSE(find<QPlainTextEdit>("Memo4")->toPlainText().isEmpty());
}

TEST_F(CalcUtilsWindow, DriverFileFillsTheDriverData) {
    QStringList messages;
    TUniAuswahlDlg::SetHandler([&](const QString& text, const QStringList&, int) {
        messages << text;
        return 1;
    });
    EXPECT_FALSE(window.LoadDriverFile("/nonexistent/driver.TVC"));
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_TRUE(window.LoadDriverFile(TAVREL_EXAMPLES_DIR "/Woofer 17 cm.TVC"));
    TUniAuswahlDlg::SetHandler({});
    EXPECT_TRUE(find<QCheckBox>("CheckBoxQesmsda")->isChecked());
    EXPECT_FALSE(find<QLineEdit>("EditQts")->isEnabled());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("\nData from Woofer")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" have been loaded."));
    EXPECT_NE(find<QLineEdit>("EditQts")->text(), "0.4");
}

} // namespace
} // namespace tavrel
