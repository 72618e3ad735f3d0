#include "foundation/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("tavrel-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(AtomicFile, ReplacesTheOldFileAndLeavesNoTemporary) {
    const std::string path = (dir / "a.exp").string();
    ASSERT_EQ(WriteFileAtomically(path, "old"), "");
    ASSERT_EQ(WriteFileAtomically(path, std::string("new\0bytes", 9)), "");
    EXPECT_EQ(contents(path), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(AtomicFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    const fs::path target = dir / "sub";
    fs::create_directories(target / "occupied"); // a directory cannot be renamed over by a file
    const std::string error = WriteFileAtomically(target.string(), "new");
    EXPECT_NE(error, "");
    EXPECT_TRUE(fs::is_directory(target / "occupied"));
    EXPECT_NE(WriteFileAtomically((dir / "missing" / "x.exp").string(), "new"), "");
}

} // namespace
} // namespace tavrel
