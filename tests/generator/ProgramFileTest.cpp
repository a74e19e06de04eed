#include "generator/ProgramFile.h"

#include "generator/ProgramWriter.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProgramFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() /
                   ("corvane-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::set<std::string> folderContents() const
    {
        std::set<std::string> names;
        for (const auto& item : fs::directory_iterator(m_folder)) {
            names.insert(item.path().filename().string());
        }
        return names;
    }

    void writeOldFile(const fs::path& path, const std::string& content) const
    {
        std::ofstream(path, std::ios::binary) << content;
    }

    fs::path m_folder;
};

TEST_F(ProgramFile, ReplacesALongerFileWithExactlyTheNewBytes)
{
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, std::string(100'000, 'x'));
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    const std::vector<MessageEntry> entries = {{"Hi", PackItemData(0, 5)}};

    EXPECT_EQ(WriteProgram(target.string(), entries, Board{"20", 4}, glyphs), std::nullopt);
    EXPECT_EQ(ReadFile(target), RenderProgram(entries, Board{"20", 4}, glyphs));
    EXPECT_EQ(folderContents(), std::set<std::string>{"board.bas"});
}

TEST_F(ProgramFile, FailuresNameThePathAndTheReasonAndLeaveNothingBehind)
{
    const fs::path folderTarget = m_folder / "folder.bas";
    fs::create_directory(folderTarget);
    writeOldFile(m_folder / "other.bas", "old");
    const auto before = folderContents();
    const std::string procTarget = "/proc/corvane-" + std::to_string(::getpid()) + ".bas";

    for (const std::string& path :
         {(m_folder / "missing" / "board.bas").string(), folderTarget.string(), procTarget}) {
        SCOPED_TRACE(path);
        const auto failure = WriteProgramFile(path, "Loop\r\n");
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->path, path);
        EXPECT_FALSE(failure->reason.empty());
    }
    EXPECT_EQ(folderContents(), before);
    EXPECT_TRUE(fs::is_directory(folderTarget));
    EXPECT_TRUE(fs::is_empty(folderTarget));
    EXPECT_EQ(ReadFile(m_folder / "other.bas"), "old");
    EXPECT_FALSE(fs::exists(procTarget));
}

// A file-size limit makes the write fail part-way even for root, the way a full disk does.
TEST_F(ProgramFile, AWriteFailingPartWayKeepsTheOldFile)
{
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, "old program\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);

    const auto failure = WriteProgramFile(target.string(), std::string(1'000'000, 'x'));

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, target.string());
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_EQ(ReadFile(target), "old program\r\n");
    EXPECT_EQ(folderContents(), std::set<std::string>{"board.bas"});
}

} // namespace
} // namespace corvane
