// Line syntax, lookups and typed values of the store, worked on memory.
#include "foundation/my_ini_file.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tavrel {
namespace {

const std::string HeaderLine = "## MyIniFile 1.0 by ZQ 2004 ##\r\n";

TMyIniFile plainStore(const std::string& body, bool writable = true) {
    return TMyIniFile::FromBytes(HeaderLine + body, false, writable);
}

struct KeyLineRow {
    const char* line;
    const char* key;
    const char* value;
};

void PrintTo(const KeyLineRow& row, std::ostream* os) {
    *os << '|' << row.line << '|';
}

class KeyLineTable : public ::testing::TestWithParam<KeyLineRow> {};

TEST_P(KeyLineTable, SplitsKeyAndValue) {
    TMyIniFile store = plainStore(std::string("#S\r\n") + GetParam().line + "\r\n");
    ASSERT_EQ(store.Count(), 1);
    const TSection& section = store.Sections()[0];
    ASSERT_EQ(section.Keys.size(), 1U);
    EXPECT_EQ(section.Keys[0], GetParam().key);
    EXPECT_EQ(section.Values[0], GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyLineTable,
    ::testing::Values(KeyLineRow{"Fs=45", "Fs", "45"}, KeyLineRow{"Fs;45", "Fs", "45"},
                      KeyLineRow{"Fs\t45", "Fs", "45"}, KeyLineRow{"Fs=\t45", "Fs", "45"},
                      KeyLineRow{"Fs==45", "Fs", "45"}, KeyLineRow{"Fs = 45", "Fs ", " 45"},
                      KeyLineRow{"Fs=a=b;c", "Fs", "a=b;c"}, KeyLineRow{"=45", "", "45"},
                      KeyLineRow{"Fs=", "Fs", ""}));

TEST(StoreSyntax, CommentsBareLinesAndOrphanKeysAreIgnored) {
    TMyIniFile store = plainStore("orphan=1\r\n#S\r\nxyz\r\n/Fs=45\r\nQts=0,4\r\n");
    ASSERT_EQ(store.Count(), 1);
    EXPECT_EQ(store.Sections()[0].Keys, (std::vector<std::string>{"Qts"}));
    EXPECT_EQ(store.KeyCount(), 1);
    EXPECT_EQ(store.ReadString("S", "Fs", "none"), "none");
    EXPECT_FALSE(store.Modified());
}

TEST(StoreSyntax, SectionNamesAreExactAndCutTo99Characters) {
    const std::string longName(150, 'n');
    TMyIniFile store = plainStore("#Chassis 1\r\na=1\r\n#" + longName + "\r\nb=2\r\n");
    EXPECT_EQ(store.ReadInteger("Chassis 1", "a", 0), 1);
    EXPECT_EQ(store.ReadInteger("chassis 1", "a", 0), 0);
    EXPECT_EQ(store.Sections()[1].Name, std::string(99, 'n'));
    EXPECT_EQ(store.ReadInteger(std::string(99, 'n'), "b", 0), 2);
}

TEST(StoreSyntax, HeaderVariantsAndTheWrongHeaderMessage) {
    EXPECT_EQ(TMyIniFile::FromBytes("## MyIniFile 1.0 and more\n#S\na=1\n", false, false)
                  .ReadInteger("S", "a", 0),
              1);
    EXPECT_EQ(TMyIniFile::FromBytes("\r\n\n## MyIniFile 1.0\r\n\r\n#S\r\n\r\na=1", false, false)
                  .ReadInteger("S", "a", 0),
              1);
    TMyIniFile wrong = TMyIniFile::FromBytes("## MyIniFile 1.1\n#S\na=1\n", false, true);
    EXPECT_TRUE(wrong.WrongHeader());
    EXPECT_FALSE(wrong.Writable());
    EXPECT_EQ(wrong.Count(), 0);
    EXPECT_EQ(wrong.ReadInteger("S", "a", 7), 7);
    wrong.WriteInteger("S", "a", 3);
    EXPECT_FALSE(wrong.Modified());
    EXPECT_TRUE(TMyIniFile::FromBytes("", false, false).WrongHeader());
    std::string message;
    TMyIniFile::SetMessageHandler([&](const std::string& text) { message = text; });
    TMyIniFile store = TMyIniFile::FromBytes("garbage\n", false, false);
    TMyIniFile::SetMessageHandler(nullptr);
    EXPECT_EQ(message, "Falsches Dateiformat bei \n");
    TMyIniFile good = plainStore("#S\r\n");
    EXPECT_FALSE(good.WrongHeader());
}

TEST(StoreLookup, ReadsAreCaseSensitiveWritesAndDeletesAreNot) {
    TMyIniFile store = plainStore("#S\r\nFs=45\r\n");
    EXPECT_EQ(store.ReadInteger("S", "fs", -1), -1);
    store.WriteInteger("S", "fs", 50);
    EXPECT_EQ(store.Sections()[0].Keys, (std::vector<std::string>{"Fs"}));
    EXPECT_EQ(store.ReadInteger("S", "Fs", -1), 50);
    EXPECT_EQ(store.KeyCount(), 1);
    EXPECT_TRUE(store.DeleteKey("S", "FS"));
    EXPECT_FALSE(store.DeleteKey("S", "Fs"));
    EXPECT_FALSE(store.DeleteKey("T", "Fs"));
    EXPECT_EQ(store.ReadInteger("S", "Fs", -1), -1);
}

TEST(StoreLookup, CursorWrapsAroundAndFindsKeysInAnyOrder) {
    TMyIniFile store = plainStore("#S\r\na=1\r\nb=2\r\nc=3\r\n#T\r\nc=30\r\n");
    EXPECT_EQ(store.ReadInteger("S", "c", 0), 3);
    EXPECT_EQ(store.ReadInteger("S", "a", 0), 1);
    EXPECT_EQ(store.ReadInteger("S", "b", 0), 2);
    EXPECT_EQ(store.ReadInteger("S", "x", 0), 0);
    EXPECT_EQ(store.ReadInteger("T", "c", 0), 30); // cursor beyond T's keys starts over
    EXPECT_EQ(store.ReadInteger("S", "c", 0), 3);
}

TEST(StoreLookup, DuplicateKeysAndSectionsResolveToOneEntry) {
    TMyIniFile store = plainStore("#S\r\nk=1\r\nk=2\r\n#S\r\nk=3\r\n");
    EXPECT_EQ(store.Count(), 2);
    const int first = store.ReadInteger("S", "k", 0);
    EXPECT_TRUE(first == 1 || first == 2);
    store.WriteInteger("S", "K", 9);
    EXPECT_EQ(store.Sections()[0].Values[0], "9");
    EXPECT_EQ(store.Sections()[1].Values[0], "3");
}

TEST(StoreValues, TypedReadsOfStoredTexts) {
    TMyIniFile store = plainStore("#S\r\ni=\"0042\r\nb1=1\r\nb2=2\r\nb0=0\r\nbx=yes\r\n"
                                  "f=45,3\r\nfp=4.7e-6\r\nbad=abc\r\n");
    EXPECT_EQ(store.ReadInteger("S", "i", 0), 42);
    EXPECT_TRUE(store.ReadBool("S", "b1", false));
    EXPECT_TRUE(store.ReadBool("S", "b2", false));
    EXPECT_FALSE(store.ReadBool("S", "b0", true));
    EXPECT_FALSE(store.ReadBool("S", "bx", true));
    EXPECT_DOUBLE_EQ(store.ReadFloat("S", "f", 0), 45.3);
    EXPECT_DOUBLE_EQ(store.ReadFloat("S", "fp", 0), 4.7e-6);
    EXPECT_EQ(store.ReadFloat("S", "bad", 1), 0.0);
    EXPECT_EQ(store.ReadInteger("S", "bad", 1), 0);
    EXPECT_EQ(store.ReadString("S", "missing", "dflt"), "dflt");
}

TEST(StoreValues, HugeAndNonFiniteNumbersReadWithoutFault) {
    TMyIniFile store = plainStore("#S\r\nbig=1e999\r\nneg=-1e99999\r\nnan=nan\r\n"
                                  "i=1e999\r\nlist=1e999;\t-1e999;\tnan\r\n");
    EXPECT_TRUE(std::isinf(store.ReadFloat("S", "big", 0)));
    EXPECT_LT(store.ReadFloat("S", "neg", 0), 0);
    EXPECT_EQ(store.ReadFloat("S", "nan", 5), 0.0);
    EXPECT_EQ(store.ReadInteger("S", "i", 5), 1);
    std::array<std::int32_t, 3> ints{};
    EXPECT_EQ(store.ReadIntList("S", "list", 3, 0, ints.data()), 3);
    EXPECT_EQ(ints[0], std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ints[1], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ints[2], 0);
}

TEST(StoreValues, WrittenFloatsReadBackWithinTheirPrecision) {
    TMyIniFile store = plainStore("");
    store.WriteFloat("S", "big", 1e7);
    store.WriteFloat("S", "small", 4.7e-6);
    store.WriteFloat("S", "pi", 3.14159265358979);
    EXPECT_EQ(store.ReadString("S", "big", ""), "1,E7");
    EXPECT_EQ(store.ReadString("S", "small", ""), "4,7E-6");
    EXPECT_EQ(store.ReadFloat("S", "big", 0), 1e7);
    EXPECT_NEAR(store.ReadFloat("S", "small", 0), 4.7e-6, 1e-20);
    EXPECT_NEAR(store.ReadFloat("S", "pi", 0), 3.14159265, 1e-8);
    store.WriteBool("S", "yes", true);
    store.WriteInteger("S", "neg", -12);
    EXPECT_EQ(store.ReadString("S", "yes", ""), "1");
    EXPECT_EQ(store.ReadString("S", "neg", ""), "-12");
}

TEST(StoreLists, ReadStopsAtTheEndAndKeepsTheRestOfTheArray) {
    TMyIniFile store = plainStore("#S\r\nf=1,5;\t2,5\r\ni=1;;\t\t2,6 junk;\t-3;4\r\n"
                                  "g=abc;7\r\n");
    std::array<double, 6> floats{9, 9, 9, 9, 9, 9};
    EXPECT_EQ(store.ReadFloatList("S", "f", 5, 1, floats.data()), 2);
    EXPECT_EQ(floats, (std::array<double, 6>{9, 1.5, 2.5, 9, 9, 9}));
    std::array<std::int32_t, 4> ints{};
    EXPECT_EQ(store.ReadIntList("S", "i", 3, 0, ints.data()), 3);
    EXPECT_EQ(ints, (std::array<std::int32_t, 4>{1, 3, -3, 0}));
    EXPECT_EQ(store.ReadFloatList("S", "g", 6, 0, floats.data()), 2);
    EXPECT_EQ(floats[0], 0.0);
    EXPECT_EQ(floats[1], 7.0);
    EXPECT_EQ(store.ReadFloatList("S", "f", 0, 0, floats.data()), 0);
    EXPECT_EQ(store.ReadFloatList("S", "nope", 3, 0, floats.data()), 0);
}

TEST(StoreLists, WrittenListsJoinWithSemicolonTab) {
    TMyIniFile store = plainStore("");
    const std::array<std::int32_t, 4> ints{5, 1, -2, 3};
    const std::array<double, 3> floats{0.5, 1e7, 4.7e-6};
    store.WriteIntList("S", "i", 3, 1, ints.data());
    store.WriteFloatList("S", "f", 3, 0, floats.data());
    store.WriteIntList("S", "empty", 0, 0, ints.data());
    EXPECT_EQ(store.ReadString("S", "i", ""), "1;\t-2;\t3");
    EXPECT_EQ(store.ReadString("S", "f", ""), "0,5;\t1,E7;\t4,7E-6");
    EXPECT_EQ(store.ReadString("S", "empty", "x"), "");
    std::array<double, 3> back{};
    EXPECT_EQ(store.ReadFloatList("S", "f", 3, 0, back.data()), 3);
    EXPECT_EQ(back[1], 1e7);
}

TEST(StoreModified, SetByWritesAndDeletesOnly) {
    TMyIniFile store = plainStore("#S\r\na=1\r\n");
    EXPECT_FALSE(store.Modified());
    store.ReadInteger("S", "a", 0);
    EXPECT_FALSE(store.DeleteKey("S", "zzz"));
    EXPECT_FALSE(store.Modified());
    store.WriteInteger("S", "a", 1); // same value still counts as a change
    EXPECT_TRUE(store.Modified());

    TMyIniFile readOnly = plainStore("#S\r\na=1\r\n", false);
    readOnly.WriteInteger("S", "b", 2);
    EXPECT_FALSE(readOnly.DeleteKey("S", "a"));
    EXPECT_FALSE(readOnly.Modified());
    EXPECT_EQ(readOnly.ReadInteger("S", "b", 0), 0);
    EXPECT_EQ(readOnly.ReadInteger("S", "a", 0), 1);
}

TEST(StoreFormat, PlainOutputHasHeaderSectionsAndKeyLines) {
    TMyIniFile store = plainStore("/comment\r\n#A\r\nx = 1\r\n#B\r\n");
    store.WriteString("B", "y", "two");
    EXPECT_EQ(store.ToBytes(), HeaderLine + "#A\r\nx =\t 1\r\n#B\r\ny=\ttwo\r\n");
}

TEST(StoreFormat, CodedLinesAreLengthPrefixedAndScrambled) {
    TMyIniFile store = plainStore("#Chassis\r\nName=\xE4 driver\r\n");
    store.WriteFloat("Chassis", "fs", 45.3);
    const std::string coded = store.ToBytes(true);
    const std::string header = TMyIniFile::Header;
    ASSERT_GT(coded.size(), header.size() + 2);
    EXPECT_EQ(coded[0], '\0');
    EXPECT_EQ(coded[1], static_cast<char>(header.size()));
    for (std::size_t i = 0; i < header.size(); ++i) {
        const auto mask = static_cast<unsigned char>(i * TMyIniFile::CodeMultiplier);
        EXPECT_EQ(static_cast<unsigned char>(coded[2 + i]),
                  static_cast<unsigned char>(header[i]) ^ mask);
    }
    EXPECT_EQ(coded.find("Chassis"), std::string::npos);

    TMyIniFile back = TMyIniFile::FromBytes(coded, true, false);
    EXPECT_FALSE(back.WrongHeader());
    EXPECT_EQ(back.ReadString("Chassis", "Name", ""), "\xE4 driver");
    EXPECT_DOUBLE_EQ(back.ReadFloat("Chassis", "fs", 0), 45.3);
    EXPECT_EQ(back.ToBytes(false), store.ToBytes(false));
    EXPECT_EQ(back.ToBytes(), coded); // a store keeps the encoding it was made with
    EXPECT_TRUE(TMyIniFile::FromBytes(store.ToBytes(false), true, false).WrongHeader());
}

TEST(StoreFormat, CodedEmptyLinesAndTruncatedFiles) {
    TMyIniFile store = plainStore("#S\r\na=1\r\nb=2\r\n");
    const std::string coded = store.ToBytes(true);
    const std::string headerPart = coded.substr(0, 2 + std::string(TMyIniFile::Header).size());
    const std::string withEmpty =
        headerPart + std::string(2, '\0') + coded.substr(headerPart.size());
    EXPECT_EQ(TMyIniFile::FromBytes(withEmpty, true, false).ReadInteger("S", "b", 0), 2);

    // Cut inside the last line: the lines before it are kept, the partial one is dropped.
    TMyIniFile cut = TMyIniFile::FromBytes(coded.substr(0, coded.size() - 2), true, false);
    EXPECT_EQ(cut.ReadInteger("S", "a", 0), 1);
    EXPECT_EQ(cut.ReadInteger("S", "b", 0), 0);
    // A length prefix far beyond the data, and a lone length byte.
    EXPECT_EQ(TMyIniFile::FromBytes(headerPart + "\xFF\xFF" + "abc", true, false).Count(), 0);
    EXPECT_EQ(TMyIniFile::FromBytes(headerPart + "\x01", true, false).Count(), 0);
}

TEST(StoreFormat, OverlongCodedLineIsCutOnWrite) {
    TMyIniFile store = plainStore("");
    store.WriteString("S", "k", std::string(30000, 'v'));
    const std::string coded = store.ToBytes(true);
    TMyIniFile back = TMyIniFile::FromBytes(coded, true, false);
    // "k=\t" takes three of the 25599 bytes a coded line can hold.
    EXPECT_EQ(back.ReadString("S", "k", ""), std::string(25596, 'v'));
    const std::size_t lastLine = coded.size() - 25599 - 2;
    EXPECT_EQ(static_cast<unsigned char>(coded[lastLine]), 255);
    EXPECT_EQ(static_cast<unsigned char>(coded[lastLine + 1]), 99);
}

TEST(StoreLimits, OverlongPlainLineKeepsItsFirst32000Bytes) {
    TMyIniFile store = plainStore("#S\r\nk=" + std::string(40000, 'v') + "\r\nnext=1\r\n");
    EXPECT_EQ(store.ReadString("S", "k", "").size(), 32000U - 2);
    EXPECT_EQ(store.ReadInteger("S", "next", 0), 1);
}

TEST(StoreLimits, SectionsBeyondAThousandAreDropped) {
    std::string body;
    for (int i = 0; i < 1005; ++i) {
        body += "#S" + std::to_string(i) + "\r\nk=" + std::to_string(i) + "\r\n";
    }
    TMyIniFile store = plainStore(body);
    EXPECT_EQ(store.Count(), TMyIniFile::MaxSections);
    EXPECT_EQ(store.ReadInteger("S999", "k", -1), 999);
    EXPECT_EQ(store.ReadInteger("S1000", "k", -1), -1);
    EXPECT_EQ(store.KeyCount(), 1000);
    EXPECT_EQ(store.Sections().back().Keys.size(), 1U); // dropped keys did not land here

    store.WriteInteger("New", "k", 1);
    EXPECT_EQ(store.Count(), TMyIniFile::MaxSections);
    EXPECT_FALSE(store.Modified());
    store.WriteInteger("S5", "k2", 1);
    EXPECT_TRUE(store.Modified());
}

} // namespace
} // namespace tavrel
