#include "programfile/ProgramFile.h"

#include "bascom/ProgramWriter.h"
#include "tests/FileText.h"
#include "tests/ScratchFolder.h"
#include "tests/sign/FilledGlyphs.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

class ProgramFile : public test::ScratchFolder
{
protected:
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
};

TEST_F(ProgramFile, ReplacesALongerFileWithExactlyTheNewBytes)
{
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, std::string(100'000, 'x'));
    const GlyphTable& glyphs = test::FilledGlyphs();
    const std::vector<Message> entries = {{"Hi", ScrollDirection(0), 5}};

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

struct RefusedTargetCase
{
    const char* name;
    // Makes the target in the folder given beside "sign.bas"; false when it cannot.
    std::function<bool(const fs::path& target)> make;
    std::string reason;
};

void PrintTo(const RefusedTargetCase& refused, std::ostream* out)
{
    *out << refused.name;
}

class RefusedTarget : public ProgramFile, public ::testing::WithParamInterface<RefusedTargetCase>
{};

// A target that is no regular file, or the very file the bytes are built
// from, is refused and stays as it was: no file takes its place.
TEST_P(RefusedTarget, StaysAsItWas)
{
    const fs::path source = m_folder / "sign.bas";
    writeOldFile(source, "the program\r\n");
    const fs::path target = m_folder / "target.hex";
    if (!GetParam().make(target)) {
        GTEST_SKIP() << "cannot make it here: " << std::strerror(errno);
    }
    const auto kind = fs::symlink_status(target).type();
    const auto before = folderContents();

    const auto failure = WriteFileBuiltFrom(target.string(), "Loop\r\n", source.string());

    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, target.string());
    EXPECT_EQ(failure->reason.rfind(GetParam().reason, 0), 0u) << failure->reason;
    EXPECT_EQ(fs::symlink_status(target).type(), kind);
    EXPECT_EQ(folderContents(), before);
    EXPECT_EQ(ReadFile(source), "the program\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedTarget,
    ::testing::Values(
        RefusedTargetCase{
            "NamedPipe", [](const fs::path& target) { return ::mkfifo(target.c_str(), 0600) == 0; },
            "Is a named pipe, not a file"},
        RefusedTargetCase{"Socket",
                          [](const fs::path& target) {
                              sockaddr_un address{};
                              address.sun_family = AF_UNIX;
                              target.string().copy(address.sun_path, sizeof address.sun_path - 1);
                              const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
                              const bool bound =
                                  ::bind(socket, reinterpret_cast<sockaddr*>(&address),
                                         sizeof address) == 0;
                              ::close(socket);
                              return bound;
                          },
                          "Is a socket, not a file"},
        // Only root makes a device node: /dev/null's.
        RefusedTargetCase{"Device",
                          [](const fs::path& target) {
                              return ::mknod(target.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
                          },
                          "Is a device, not a file"},
        RefusedTargetCase{"TheSourceByAnotherName",
                          [](const fs::path& target) {
                              return ::link((target.parent_path() / "sign.bas").c_str(),
                                            target.c_str()) == 0;
                          },
                          "Is the file it is built from"}),
    [](const ::testing::TestParamInfo<RefusedTargetCase>& info) {
        return std::string(info.param.name);
    });

// A file-size limit makes the write stop part-way even for root, the way a
// full disk does. The limit is set in a child process, so it cannot outlast
// the test; the child's exit status tells what the write reported.
TEST_F(ProgramFile, AWriteStoppingPartWayKeepsTheOldFile)
{
    enum ChildExit
    {
        kFailureReported = 0,
        kSetupFailed = 1,
        kSuccessReported = 2,
        kFailureWithoutPathOrReason = 3
    };
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, "old program\r\n");

    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited{};
        limited.rlim_cur = limited.rlim_max = 4096;
        if (::setrlimit(RLIMIT_FSIZE, &limited) != 0) {
            ::_exit(kSetupFailed);
        }
        const auto failure = WriteProgramFile(target.string(), std::string(1'000'000, 'x'));
        if (!failure) {
            ::_exit(kSuccessReported);
        }
        const bool named = failure->path == target.string() && !failure->reason.empty();
        ::_exit(named ? kFailureReported : kFailureWithoutPathOrReason);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
    EXPECT_EQ(WEXITSTATUS(status), kFailureReported);
    const std::string kept = ReadFile(target);
    EXPECT_TRUE(kept == "old program\r\n") << "the target now holds " << kept.size() << " bytes";
    EXPECT_EQ(folderContents(), std::set<std::string>{"board.bas"});
}

// The sync's result counts: bytes that may never reach the disk do not
// replace the old file.
TEST_F(ProgramFile, AFailedSyncKeepsTheOldFile)
{
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, "old program\r\n");
    int syncs = 0;

    const auto failure = WriteProgramFile(target.string(), "Loop\r\n", [&syncs](int) {
        ++syncs;
        errno = EIO;
        return -1;
    });

    EXPECT_EQ(syncs, 1);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, target.string());
    EXPECT_EQ(failure->reason, std::generic_category().message(EIO));
    EXPECT_EQ(ReadFile(target), "old program\r\n");
    EXPECT_EQ(folderContents(), std::set<std::string>{"board.bas"});
}

// Between the sync and the rename the target becomes a folder that is not
// empty, which no rename replaces, not even root's: the failure is reported,
// the folder stays as it is and the temporary file goes.
TEST_F(ProgramFile, AFailedRenameIsReportedAndLeavesNothingBehind)
{
    const fs::path target = m_folder / "board.bas";
    writeOldFile(target, "old program\r\n");

    const auto failure = WriteProgramFile(target.string(), "Loop\r\n", [&](int fd) {
        fs::remove(target);
        fs::create_directory(target);
        writeOldFile(target / "kept.bas", "kept");
        return ::fdatasync(fd);
    });

    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, target.string());
    EXPECT_FALSE(failure->reason.empty());
    ASSERT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadFile(target / "kept.bas"), "kept");
    EXPECT_EQ(folderContents(), std::set<std::string>{"board.bas"});
}

} // namespace
} // namespace corvane
