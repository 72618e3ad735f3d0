#include "foundation/ui/store_text.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(StoreText, IsWindows1252AndOtherCharactersBecomeQuestionMarks) {
    const QString text = QString::fromUtf8("Hochtöner µ");
    const std::string stored = ToStoreText(text);
    EXPECT_EQ(stored, "Hocht\xF6ner \xB5");
    EXPECT_EQ(FromStoreText(stored), text);
    EXPECT_EQ(FromStoreText("\x80"), QString::fromUtf8("€"));
    EXPECT_EQ(FromStoreText("\x93x\x94"), QString::fromUtf8("“x”"));
    EXPECT_EQ(FromStoreText("\x9F"), QString::fromUtf8("Ÿ"));
    EXPECT_EQ(ToStoreText(QString::fromUtf8("€ – ™")), "\x80 \x96 \x99");
    EXPECT_EQ(ToStoreText(QString::fromUtf8("a日b")), "a?b");
    EXPECT_EQ(ToStoreText(QString::fromUtf8("Ω")), "?");
}

TEST(StoreText, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(ToStoreText(FromStoreText(all)), all);
}

} // namespace
} // namespace tavrel
