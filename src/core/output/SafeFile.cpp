#include "output/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bramble {
namespace {

Outcome Failure(const std::string& path, int error)
{
    return Outcome::Error("Could not write the file \"" + path + "\": " + std::strerror(error) +
                          ". Any earlier file of that name is unchanged.");
}

// Opens a new, unique file next to the target. Returns -1 with errno set.
int CreateTemporary(const std::filesystem::path& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 mistakes a chain of
        // `"." + string + ...` for overlapping copies (-Wrestrict).
        std::string name(1, '.');
        name.append(target.filename().string());
        name.append(".tmp-");
        name.append(std::to_string(::getpid()));
        name.push_back('-');
        name.append(std::to_string(counter++));
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced (some
// network file systems) does not make the write fail.
void SyncFolder(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

Outcome WriteFileSafely(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return Failure(path, ENOENT);
    // A file the user may not write stays as it is, although the rename
    // would be allowed by the folder's permissions.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return Failure(path, errno);
    const std::filesystem::path target(path);
    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd < 0)
        return Failure(path, errno);

    struct stat old { };
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    int error = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return Failure(path, error);
    }
    SyncFolder(target);
    return {};
}

}  // namespace bramble
