#include "programfile/ProgramLoading.h"

#include "programfile/ProgramFile.h"
#include "tests/ScratchFolder.h"
#include "tests/generator/FilledGlyphs.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
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
std::string Refusal(const std::variant<ProgramDocument, QString>& result)
{
    const auto* message = std::get_if<QString>(&result);
    return message ? message->toStdString() : std::string();
}

class LoadProgramTest : public testing::ScratchFolder
{
protected:
};

TEST_F(LoadProgramTest, ReadsBackWhatWriteProgramWrote)
{
    const ProgramDocument program{{{"HELLO", PackItemData(2, 7)}, {"WORLD", PackItemData(1, 0)}},
                                  Board::ofWidth("13")};
    const fs::path path = m_folder / "sign.bas";
    ASSERT_EQ(WriteProgram(path.string(), program.entries, program.board,
                           corvane::testing::FilledGlyphs()),
              std::nullopt);

    const auto result =
        LoadProgram(QString::fromStdString(path.string()), corvane::testing::FilledGlyphs());

    ASSERT_EQ(Refusal(result), "");
    EXPECT_EQ(std::get<ProgramDocument>(result), program);
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

// A file over 16 MiB is refused by its size, unread; a device whose size says
// nothing (0 for /dev/zero) is read one byte past the limit and no further.
TEST_P(TooLarge, IsRefusedWithoutBeingReadToItsEnd)
{
    const std::string path = GetParam().file(m_folder);
    const auto before = BytesReadSoFar();
    if (!before) {
        GTEST_SKIP() << "/proc/self/io does not count the bytes read here";
    }

    const std::string refusal =
        Refusal(LoadProgram(QString::fromStdString(path), corvane::testing::FilledGlyphs()));

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
                                                        kSlack},
                                           TooLargeCase{"EndlessDevice",
                                                        [](const fs::path&) { return "/dev/zero"; },
                                                        kMaxProgramFileSize + 1 + kSlack}),
                         [](const ::testing::TestParamInfo<TooLargeCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace corvane
