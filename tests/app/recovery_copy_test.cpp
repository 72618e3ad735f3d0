// The recovery copy of a modified project: written in the background, gone after a save or
// at the end, and told apart from the copies of programs that still run.
#include "app/project_load.h"
#include "app/recovery_copy.h"
#include "support/scratch_dir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Recovery : public ::testing::Test {
protected:
    std::unique_ptr<TProjekt> projectWith(const char* comment) {
        auto p = std::make_unique<TProjekt>();
        ResetProject(*p);
        p->Comment1 = comment;
        return p;
    }
    std::string commentIn(const std::string& path) {
        auto p = projectWith("");
        EXPECT_TRUE(LoadProjectFile(*p, path).loaded);
        return p->Comment1.str();
    }
    test::ScratchDir dir{"recovery"};
};

TEST_F(Recovery, TheLastOfQuickChangesIsWrittenAndASaveOrTheEndDeletesIt) {
    auto writer = std::make_unique<RecoveryWriter>(dir.path().string(), 200ms);
    EXPECT_EQ(fs::path(writer->Path()).filename(),
              "recovery-" + std::to_string(::getpid()) + ".TVP");
    writer->Offer(*projectWith("first"), {"/home/me/Box.TVP", false});
    writer->Offer(*projectWith("second"), {"/home/me/Box.TVP", false});
    writer->Flush();
    EXPECT_EQ(commentIn(writer->Path()), "second");
    writer->Discard();
    writer->Flush();
    EXPECT_FALSE(fs::exists(writer->Path()));

    writer->Offer(*projectWith("third"), {"noname.TVP", true});
    writer->Flush();
    EXPECT_EQ(commentIn(writer->Path()), "third");
    EXPECT_TRUE(FindOrphanedRecoveryCopies(dir.path().string()).empty()); // its owner runs
    const std::string path = writer->Path();
    writer.reset();
    EXPECT_TRUE(fs::is_empty(dir.path())) << path;
}

TEST_F(Recovery, CopiesOfEndedProgramsAreFoundNewestFirstAndUnreadableOnesDropped) {
    {
        RecoveryWriter ended(dir.path().string(), 0ms);
        ended.Offer(*projectWith("older"), {"/p/Older.TVP", false});
        ended.Flush();
        fs::rename(ended.Path(), dir / "recovery-1.TVP"); // what a killed program leaves
        ended.Offer(*projectWith("newer"), {"/p/Newer.TVP", true});
        ended.Flush();
        fs::rename(ended.Path(), dir / "recovery-2.TVP");
        fs::last_write_time(dir / "recovery-1.TVP",
                            fs::last_write_time(dir / "recovery-2.TVP") - 1h);
    }
    test::WriteWholeFile(dir / "recovery-3.TVP", "not a project");
    const std::vector<RecoveryCopy> copies = FindOrphanedRecoveryCopies(dir.path().string());
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].origin.projectPath, "/p/Newer.TVP");
    EXPECT_TRUE(copies[0].origin.coded);
    EXPECT_EQ(copies[1].origin.projectPath, "/p/Older.TVP");
    EXPECT_FALSE(copies[1].origin.coded);
    EXPECT_EQ(copies[1].time.size(), std::string("06.12.2026 17:05").size());
    EXPECT_EQ(commentIn(copies[1].path), "older");
    EXPECT_FALSE(fs::exists(dir / "recovery-3.TVP"));
    DeleteRecoveryCopy(copies[0]);
    EXPECT_EQ(FindOrphanedRecoveryCopies(dir.path().string()).size(), 1u);
}

} // namespace
} // namespace tavrel
