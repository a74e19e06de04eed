#pragma once

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace corvane::test {

// A tmpfs of a few kilobytes mounted on a folder, to run out of space on for
// real: root ignores permission bits, but not a full disk. Mounting needs root
// and a private mount namespace (EnterPrivateMounts), so the mount stays
// invisible to the rest of the system and goes away with the process.
class SmallFileSystem
{
public:
    static constexpr std::size_t kSize = 64 * 1024;

    // Moves the calling process into a mount namespace of its own. The process
    // must not have started a thread yet. Returns what failed, empty on success.
    static std::string EnterPrivateMounts()
    {
        if (::unshare(CLONE_NEWNS) != 0) {
            return SystemError("unshare(CLONE_NEWNS)");
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return SystemError("making / private");
        }
        return {};
    }

    explicit SmallFileSystem(std::string folder) : m_folder(std::move(folder))
    {
        const std::string options = "size=" + std::to_string(kSize) + ",mode=0700";
        if (::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) !=
            0) {
            m_error = SystemError("mounting a tmpfs on " + m_folder);
        }
    }
    ~SmallFileSystem()
    {
        if (m_error.empty()) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // Why the mount failed; empty when it is in place.
    const std::string& error() const { return m_error; }

    // Writes the file `name` until no byte fits any more, then frees `freeBytes`
    // of it again (a multiple of the page size). Returns what failed, empty on
    // success.
    std::string fill(const std::string& name, std::size_t freeBytes = 0) const
    {
        const std::string path = m_folder + "/" + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) {
            return SystemError("creating " + path);
        }
        const std::vector<char> block(4096, '\0');
        off_t size = 0;
        ssize_t written = 0;
        while ((written = ::write(fd, block.data(), block.size())) > 0) {
            size += written;
        }
        std::string error;
        if (errno != ENOSPC) {
            error = SystemError("filling " + path);
        } else if (static_cast<off_t>(freeBytes) > size) {
            error = path + " holds only " + std::to_string(size) + " bytes to free";
        } else if (::ftruncate(fd, size - static_cast<off_t>(freeBytes)) != 0) {
            error = SystemError("freeing space in " + path);
        }
        ::close(fd);
        if (error.empty() && availableBytes() != freeBytes) {
            error = path + " leaves " + std::to_string(availableBytes()) + " bytes free, not " +
                    std::to_string(freeBytes);
        }
        return error;
    }

    std::size_t availableBytes() const
    {
        struct statvfs status
        {};
        return ::statvfs(m_folder.c_str(), &status) == 0
                   ? static_cast<std::size_t>(status.f_bavail) * status.f_frsize
                   : 0;
    }

private:
    static std::string SystemError(const std::string& what)
    {
        return what + ": " + std::generic_category().message(errno);
    }

    std::string m_folder;
    std::string m_error;
};

} // namespace corvane::test
