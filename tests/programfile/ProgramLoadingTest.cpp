#include "programfile/ProgramLoading.h"

#include "programfile/ProgramFile.h"
#include "programfile/RegularFile.h"
#include "tests/ScratchFolder.h"
#include "tests/sign/FilledGlyphs.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// The bytes this process has read so far (rchar in /proc/self/io), reading
// /proc/self/io itself included; nothing where the kernel does not count them.
std::optional<long long> BytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return std::nullopt;
}

// The refusal LoadProgram gave, or "" when it read a program.
std::string Refusal(const LoadResult& result)
{
    const auto* failure = std::get_if<LoadFailure>(&result);
    return failure ? failure->message.toStdString() : std::string();
}

class LoadProgramTest : public test::ScratchFolder
{
protected:
};

TEST_F(LoadProgramTest, ReadsBackWhatWriteProgramWrote)
{
    const ProgramDocument program{
        {{"HELLO", ScrollDirection(2), 7}, {"WORLD", ScrollDirection(1), 0}}, Board::ofWidth("13")};
    const fs::path path = m_folder / "sign.bas";
    ASSERT_EQ(
        WriteProgram(path.string(), program.entries, program.board, corvane::test::FilledGlyphs()),
        std::nullopt);

    const auto result =
        LoadProgram(QString::fromStdString(path.string()), corvane::test::FilledGlyphs());

    ASSERT_EQ(Refusal(result), "");
    EXPECT_EQ(std::get<ProgramRead>(result).document, program);
    EXPECT_TRUE(std::get<ProgramRead>(result).asWritten);
}

struct TooLargeCase
{
    const char* name;
    // Makes the file in the folder given and returns its path.
    std::function<std::string(const fs::path&)> file;
    // The most bytes opening it may read.
    long long mostBytesRead;
};

void PrintTo(const TooLargeCase& tooLarge, std::ostream* out)
{
    *out << tooLarge.name;
}

class TooLarge : public LoadProgramTest, public ::testing::WithParamInterface<TooLargeCase>
{};

// A file over 16 MiB is refused by its size, unread.
TEST_P(TooLarge, IsRefusedWithoutBeingReadToItsEnd)
{
    const std::string path = GetParam().file(m_folder);
    const auto before = BytesReadSoFar();
    if (!before) {
        GTEST_SKIP() << "/proc/self/io does not count the bytes read here";
    }

    const std::string refusal =
        Refusal(LoadProgram(QString::fromStdString(path), corvane::test::FilledGlyphs()));

    const long long read = *BytesReadSoFar() - *before;
    EXPECT_NE(refusal.find(path), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("larger than 16 MiB"), std::string::npos) << refusal;
    EXPECT_LE(read, GetParam().mostBytesRead);
}

// Reading /proc/self/io twice takes a few hundred bytes.
constexpr long long kSlack = 64 * 1024;

INSTANTIATE_TEST_SUITE_P(Files, TooLarge,
                         ::testing::Values(TooLargeCase{"SeventeenMiBFile",
                                                        [](const fs::path& folder) {
                                                            const fs::path path =
                                                                folder / "huge.bas";
                                                            std::ofstream{path};
                                                            fs::resize_file(path, 17 * 1024 * 1024);
                                                            return path.string();
                                                        },
                                                        kSlack}),
                         [](const ::testing::TestParamInfo<TooLargeCase>& info) {
                             return std::string(info.param.name);
                         });

struct NotAFileCase
{
    const char* name;
    // Makes the path in the folder given and returns it; empty when it cannot.
    std::function<std::string(const fs::path&)> path;
    std::string refusal; // after the path's file name
};

void PrintTo(const NotAFileCase& notAFile, std::ostream* out)
{
    *out << notAFile.name;
}

class NotAFile : public LoadProgramTest, public ::testing::WithParamInterface<NotAFileCase>
{};

// What is not a regular file is refused by what it is and never opened: a
// pipe without a writer would block the read for ever (ctest's timeout fails
// the test then), a device could read without end.
TEST_P(NotAFile, IsRefusedByWhatItIsWithoutBeingRead)
{
    const std::string path = GetParam().path(m_folder);
    ASSERT_FALSE(path.empty()) << std::strerror(errno);
    const auto before = BytesReadSoFar();

    const auto result = LoadProgram(QString::fromStdString(path), corvane::test::FilledGlyphs());

    EXPECT_EQ(Refusal(result), fs::path(path).filename().string() + GetParam().refusal);
    if (before) {
        EXPECT_LE(*BytesReadSoFar() - *before, kSlack);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NotAFile,
    ::testing::Values(NotAFileCase{"NamedPipe",
                                   [](const fs::path& folder) {
                                       const fs::path path = folder / "x.bas";
                                       return ::mkfifo(path.c_str(), 0600) == 0 ? path.string()
                                                                                : std::string();
                                   },
                                   " is a named pipe, not a file."},
                      NotAFileCase{"Socket",
                                   [](const fs::path& folder) {
                                       const fs::path path = folder / "s.bas";
                                       sockaddr_un address{};
                                       address.sun_family = AF_UNIX;
                                       path.string().copy(address.sun_path,
                                                          sizeof address.sun_path - 1);
                                       const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
                                       const bool bound =
                                           ::bind(socket, reinterpret_cast<sockaddr*>(&address),
                                                  sizeof address) == 0;
                                       ::close(socket);
                                       return bound ? path.string() : std::string();
                                   },
                                   " is a socket, not a file."},
                      NotAFileCase{"EndlessDevice", [](const fs::path&) { return "/dev/zero"; },
                                   " is a device, not a file."},
                      NotAFileCase{"Folder",
                                   [](const fs::path& folder) {
                                       fs::create_directory(folder / "signs.bas");
                                       return (folder / "signs.bas").string();
                                   },
                                   " is a folder, not a file."}),
    [](const ::testing::TestParamInfo<NotAFileCase>& info) {
        return std::string(info.param.name);
    });

// A named pipe put in the file's place after its status was read is refused
// by what was opened, never waited on (ctest's timeout fails a hang).
TEST_F(LoadProgramTest, APipeSwappedInBeforeTheOpeningIsRefusedNotWaitedOn)
{
    const fs::path path = m_folder / "sign.bas";
    std::ofstream(path) << "program";

    const FileBytes read = ReadRegularFile(QString::fromStdString(path.string()), 1024, [&] {
        fs::remove(path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    });

    EXPECT_EQ(read.outcome, FileBytes::Outcome::NotAFile);
    EXPECT_EQ(read.notAFile, corvane::NotAFile::NamedPipe);
    EXPECT_TRUE(read.bytes.isEmpty());
}

} // namespace
} // namespace corvane
