// The parts list window follows the calculated project and marks a part loaded beyond the
// rating its comment names.
#include "editor/ui/parts_list_window.h"
#include "support/main_window_fixture.h"

#include <QTableWidget>

namespace tavrel {
namespace {

using PartsList = test::MainWindowTest;

TEST_F(PartsList, FollowsEveryChangeAndMarksOverloadedParts) {
    startAndWait();
    window->OpenPartsList();
    QTableWidget* table = window->PartsList()->Table();
    ASSERT_EQ(table->rowCount(), 8); // Default: six parts, two drivers
    EXPECT_EQ(table->item(0, 1)->text(), "R1");
    EXPECT_NE(table->item(0, 0)->foreground().color(), QColor(Qt::red));

    window->ApplyTuning("test", "Tune R1", [](TProjekt& p) {
        for (TWeichePart& part : p.Amps[0].Weiche) {
            if (part.typ == PartResistor) {
                part.value = 3.3;
                part.bem = "0.1W";
                return;
            }
        }
    });
    ASSERT_TRUE(waitForHandOver());
    window->PartsList()->hide(); // a second top-level window must not outlive the test
    EXPECT_EQ(table->item(0, 2)->text(), "3.3");
    EXPECT_EQ(table->item(0, 4)->text(), "0.1W");
    EXPECT_EQ(table->item(0, 10)->foreground().color(), QColor(Qt::red));

    const auto pdf = dir / "Default.pdf";
    window->SetReference(); // the report's response chart shows the window's reference curves
    window->ExportDesignReport(QString::fromStdString(pdf.string()));
    const std::string text = dir / "Default.txt";
    ASSERT_EQ(std::system(("pdftotext '" + pdf.string() + "' '" + text + "'").c_str()), 0);
    const std::string report = test::ReadWholeFile(text);
    EXPECT_NE(report.find("0.1W"), std::string::npos); // the tuned project
    EXPECT_NE(report.find("with the reference (dotted)"), std::string::npos);
}

} // namespace
} // namespace tavrel
