// The store's life cycle on real files: creation, loading, saving and failed saves.
#include "foundation/my_ini_file.h"
#include "support/scratch_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tavrel {
namespace {

const std::string HeaderLine = "## MyIniFile 1.0 by ZQ 2004 ##\r\n";

class StoreFile : public ::testing::Test {
protected:
    test::ScratchDir dir{"ini"};
    const std::string path = dir.file("store.ini");
};

TEST_F(StoreFile, MissingFileReadOnlyWritesNothing) {
    TMyIniFile store(path, false, false, true);
    EXPECT_EQ(store.KeyCount(), 0);
    EXPECT_FALSE(store.Modified());
    store.WriteInteger("S", "k", 1);
    const StoreCloseResult result = store.Close();
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StoreFile, MissingWritableFileComesIntoBeingOnFirstWrite) {
    {
        TMyIniFile untouched(path, false, true, true);
        EXPECT_FALSE(untouched.Close().saved);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    TMyIniFile store(path, false, true, true);
    store.WriteInteger("Optionen", "WEsize", 2);
    const StoreCloseResult result = store.Close();
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(test::ReadWholeFile(path), HeaderLine + "#Optionen\r\nWEsize=\t2\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
}

TEST_F(StoreFile, NewStoreWritesAtLeastTheHeader) {
    test::WriteWholeFile(path, "old content");
    TMyIniFile store(path, true, true, false);
    EXPECT_TRUE(store.Modified());
    EXPECT_TRUE(store.Close().saved);
    TMyIniFile back(path, true, false, true);
    EXPECT_FALSE(back.WrongHeader());
    EXPECT_EQ(back.Count(), 0);
}

TEST_F(StoreFile, LoadModifySaveKeepsOtherKeys) {
    test::WriteWholeFile(path, HeaderLine + "#Update\r\nSeen=1\r\n#Optionen\r\nWEsize=3\r\n");
    TMyIniFile store(path, false, true, true);
    EXPECT_EQ(store.KeyCount(), 2);
    EXPECT_FALSE(store.Modified());
    store.WriteInteger("Optionen", "WEsize", 1);
    EXPECT_TRUE(store.Close().saved);
    TMyIniFile back(path, false, false, true);
    EXPECT_EQ(back.ReadInteger("Update", "Seen", 0), 1);
    EXPECT_EQ(back.ReadInteger("Optionen", "WEsize", 0), 1);
}

TEST_F(StoreFile, CodedFileRoundTripOnDisk) {
    TMyIniFile store(path, true, true, false);
    store.WriteString("Projekt", "Comment1", "Zwei-Wege \xB5");
    store.WriteFloat("Projekt", "fMin", 20);
    ASSERT_TRUE(store.Close().ok);
    EXPECT_EQ(test::ReadWholeFile(path).find("Projekt"), std::string::npos);
    TMyIniFile back(path, true, false, true);
    EXPECT_EQ(back.ReadString("Projekt", "Comment1", ""), "Zwei-Wege \xB5");
    EXPECT_EQ(back.ReadFloat("Projekt", "fMin", 0), 20.0);
    EXPECT_TRUE(back.Coded());
}

TEST_F(StoreFile, WrongHeaderIsReportedAndTheFileIsNeverOverwritten) {
    test::WriteWholeFile(path, "[Section]\r\nkey=value\r\n");
    std::string message;
    TMyIniFile::SetMessageHandler([&](const std::string& text) { message = text; });
    TMyIniFile store(path, false, true, true);
    TMyIniFile::SetMessageHandler(nullptr);
    EXPECT_EQ(message, "Falsches Dateiformat bei \n" + path);
    EXPECT_TRUE(store.WrongHeader());
    EXPECT_FALSE(store.Writable());
    store.WriteInteger("S", "k", 1);
    EXPECT_FALSE(store.Close().saved);
    EXPECT_EQ(test::ReadWholeFile(path), "[Section]\r\nkey=value\r\n");
}

TEST_F(StoreFile, FailedRenameRemovesTheTemporaryFile) {
    std::filesystem::create_directory(path);
    test::WriteWholeFile(path + "/inside", "x");
    TMyIniFile store(path, false, true, false);
    const StoreCloseResult result = store.Close();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
    EXPECT_TRUE(std::filesystem::exists(path + "/inside"));
}

TEST_F(StoreFile, UnreadableExistingPathIsNotReplaced) {
    std::filesystem::create_directory(path);
    TMyIniFile store(path, false, true, true);
    EXPECT_FALSE(store.Writable());
    store.WriteInteger("S", "k", 1);
    const StoreCloseResult result = store.Close();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(TMyIniFile(path, false, false, true).Close().ok); // nothing was due
}

TEST_F(StoreFile, CloseTwiceSavesOnce) {
    TMyIniFile store(path, false, true, false);
    EXPECT_TRUE(store.Close().saved);
    std::filesystem::remove(path);
    EXPECT_FALSE(store.Close().saved);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StoreFile, StoreFromBytesHasNoFileToSaveTo) {
    TMyIniFile store = TMyIniFile::FromBytes(HeaderLine, false, true);
    store.WriteInteger("S", "k", 1);
    const StoreCloseResult result = store.Close();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

} // namespace
} // namespace tavrel
