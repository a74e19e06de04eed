#include "bascom/ProgramWriter.h"
#include "programfile/ProgramFile.h"
#include "tests/FileText.h"
#include "tests/SmallFileSystem.h"
#include "tests/sign/FilledGlyphs.h"
#include "tests/sign/LargestList.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::SmallFileSystem;

constexpr std::string_view kNoSpace = "No space left on device";

std::string Render(const std::vector<Message>& entries)
{
    return RenderProgram(entries, Board::ofWidth("40"), corvane::test::FilledGlyphs());
}

// 256 messages of 256 characters on the widest board: the largest file.
const std::string& LargestProgram()
{
    static const std::string program = Render(corvane::test::LargestList());
    return program;
}

const std::string& OneMessageProgram()
{
    static const std::string program = Render({{"HELLO", ScrollDirection(0), 5}});
    return program;
}

const std::string& OldProgram()
{
    static const std::string program = Render({{"OLD", ScrollDirection(1), 3}});
    return program;
}

// What a save on the small file system left behind, as seen from inside the
// mount namespace that holds it.
struct Outcome
{
    std::string setupError;
    std::optional<WriteFailure> failure;
    std::set<std::string> folder;
    std::optional<std::string> target; // the bytes at the target path, if a file is there
};

Outcome SetupFailure(std::string why)
{
    Outcome outcome;
    outcome.setupError = std::move(why);
    return outcome;
}

// The outcome as length-prefixed fields, to cross from the child process.
std::string Encode(const Outcome& outcome)
{
    std::string names;
    for (const auto& name : outcome.folder) {
        names += name + '/';
    }
    std::string encoded;
    for (const std::string& field :
         {outcome.setupError, std::string(outcome.failure ? "1" : ""),
          outcome.failure ? outcome.failure->path : "",
          outcome.failure ? outcome.failure->reason : "", names,
          std::string(outcome.target ? "1" : ""), outcome.target.value_or("")}) {
        encoded += std::to_string(field.size()) + '\n' + field;
    }
    return encoded;
}

Outcome Decode(std::string_view encoded)
{
    std::vector<std::string> fields;
    while (!encoded.empty()) {
        const std::size_t end = encoded.find('\n');
        const std::size_t size = std::stoul(std::string(encoded.substr(0, end)));
        fields.emplace_back(encoded.substr(end + 1, size));
        encoded.remove_prefix(end + 1 + size);
    }
    if (fields.size() != 7) {
        return SetupFailure("the child process sent " + std::to_string(fields.size()) + " fields");
    }
    Outcome outcome = SetupFailure(fields[0]);
    if (!fields[1].empty()) {
        outcome.failure = WriteFailure{fields[2], fields[3]};
    }
    for (std::size_t start = 0, end = 0; (end = fields[4].find('/', start)) != std::string::npos;
         start = end + 1) {
        outcome.folder.insert(fields[4].substr(start, end - start));
    }
    if (!fields[5].empty()) {
        outcome.target = fields[6];
    }
    return outcome;
}

// Runs `save` in a child process: unshare() needs a single-threaded process,
// and the child's mounts vanish with it whatever happens.
Outcome InChildProcess(const std::function<Outcome()>& save)
{
    int ends[2];
    if (::pipe(ends) != 0) {
        return SetupFailure("pipe() failed");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const std::string report = Encode(save());
        for (std::size_t sent = 0; sent < report.size();) {
            const ssize_t n = ::write(ends[1], report.data() + sent, report.size() - sent);
            if (n <= 0) {
                ::_exit(1);
            }
            sent += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(ends[1]);
    std::string report;
    char buffer[65536];
    for (ssize_t n = 0; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(ends[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return SetupFailure("the child process failed, wait status " + std::to_string(status));
    }
    return Decode(report);
}

// Tests on a small file system mounted in a child process; skipped when not
// root, since only root can mount it.
class OnSmallFileSystem : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "Mounting a small file system needs root; the full disk is not tested.";
        }
        std::string folder = (fs::temp_directory_path() / "corvane-full-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        m_folder = folder;
    }
    void TearDown() override
    {
        if (!m_folder.empty()) {
            fs::remove_all(m_folder);
        }
    }

    // In a child process: mounts the small file system on the folder, puts the
    // old file there if asked, fills the rest but `freeBytes`, then saves the
    // program as `target`.
    Outcome save(const fs::path& target, bool overOldFile, std::size_t freeBytes,
                 const std::string& program) const
    {
        return InChildProcess([&]() -> Outcome {
            if (auto error = SmallFileSystem::EnterPrivateMounts(); !error.empty()) {
                return SetupFailure(error);
            }
            const SmallFileSystem disk(m_folder.string());
            if (!disk.error().empty()) {
                return SetupFailure(disk.error());
            }
            if (overOldFile && !(std::ofstream(target, std::ios::binary) << OldProgram())) {
                return SetupFailure("writing the old file failed");
            }
            if (auto error = disk.fill("fill", freeBytes); !error.empty()) {
                return SetupFailure(error);
            }
            Outcome outcome;
            outcome.failure = WriteProgramFile(target.string(), program);
            for (const auto& item : fs::directory_iterator(m_folder)) {
                outcome.folder.insert(item.path().filename().string());
            }
            if (fs::exists(target)) {
                outcome.target = ReadFile(target);
            }
            return outcome;
        });
    }

    fs::path m_folder;
};

// A program that fits the space left is saved whole: the failures below come
// from the missing space alone.
TEST_F(OnSmallFileSystem, AProgramThatFitsIsSavedWhole)
{
    const Outcome outcome = save(m_folder / "old.bas", true, 8192, OneMessageProgram());

    // As root the case must run: a mount that fails is a failure, not a skip.
    ASSERT_EQ(outcome.setupError, "");
    EXPECT_FALSE(outcome.failure.has_value()) << outcome.failure->reason;
    ASSERT_TRUE(outcome.target.has_value());
    EXPECT_TRUE(*outcome.target == OneMessageProgram());
    EXPECT_EQ(outcome.folder, (std::set<std::string>{"fill", "old.bas"}));
}

struct FullDiskCase
{
    const char* name;
    const std::string& (*program)();
    bool overOldFile;
    std::size_t freeBytes;
};

void PrintTo(const FullDiskCase& fullDiskCase, std::ostream* out)
{
    *out << fullDiskCase.name;
}

class FullDisk : public OnSmallFileSystem, public ::testing::WithParamInterface<FullDiskCase>
{};

TEST_P(FullDisk, SaveFailsWithTheReasonAndLeavesTheFolderAsItWas)
{
    const FullDiskCase& param = GetParam();
    const fs::path target = m_folder / (param.overOldFile ? "old.bas" : "new.bas");
    const Outcome outcome = save(target, param.overOldFile, param.freeBytes, param.program());

    ASSERT_EQ(outcome.setupError, "");
    EXPECT_TRUE(outcome.failure.has_value()) << "the save reported success";
    if (outcome.failure) {
        EXPECT_EQ(outcome.failure->path, target.string());
        EXPECT_NE(outcome.failure->reason.find(kNoSpace), std::string::npos)
            << outcome.failure->reason;
    }
    if (param.overOldFile) {
        ASSERT_TRUE(outcome.target.has_value()) << "the old file is gone";
        EXPECT_TRUE(*outcome.target == OldProgram())
            << "the old file now holds " << outcome.target->size() << " bytes";
        EXPECT_EQ(outcome.folder, (std::set<std::string>{"fill", "old.bas"}));
    } else {
        EXPECT_FALSE(outcome.target.has_value())
            << "a file of " << outcome.target->size() << " bytes appeared";
        EXPECT_EQ(outcome.folder, std::set<std::string>{"fill"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, FullDisk,
    ::testing::Values(
        FullDiskCase{"LargestAsNewName", LargestProgram, false, 0},
        FullDiskCase{"LargestOverExistingFile", LargestProgram, true, 0},
        FullDiskCase{"OneMessageAsNewName", OneMessageProgram, false, 0},
        FullDiskCase{"OneMessageOverExistingFile", OneMessageProgram, true, 0},
        FullDiskCase{"LargestAsNewNameWithAFewKilobytesFree", LargestProgram, false, 8192},
        FullDiskCase{"LargestOverExistingFileWithAFewKilobytesFree", LargestProgram, true, 8192}),
    [](const ::testing::TestParamInfo<FullDiskCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
} // namespace corvane
