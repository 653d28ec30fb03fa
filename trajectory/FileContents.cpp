#include "trajectory/FileContents.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kMaxLinkHops = 40;                    // as the kernel's own limit on links in one lookup
constexpr int kTempNameAttempts = 100;              // names tried before giving up on a crowded folder
constexpr std::size_t kCompareChunkBytes = 1 << 16; // read-back buffer
constexpr std::size_t kReadGrowthBytes = 1 << 16;   // extra room when a file grows while it is read

class FileDescriptor
{
public:
    explicit FileDescriptor(int descriptor) : fd(descriptor) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd; }
    /// Closes now, so that a failed close (a late write error) can be seen.
    bool close()
    {
        const int closing = fd;
        fd = -1;
        return ::close(closing) == 0;
    }

private:
    int fd;
};

/// Where the file named by path finally lives once its symbolic links are followed. Sets exists and, when the
/// file exists, its status. False when a link cannot be read or the chain is too long.
bool resolveFinalTarget(const std::string& path, std::string& target, bool& exists, struct stat& status)
{
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop)
    {
        if (::lstat(target.c_str(), &status) != 0)
        {
            exists = false;
            return errno == ENOENT;
        }
        if (!S_ISLNK(status.st_mode))
        {
            exists = true;
            return true;
        }
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size())
            return false;
        const std::filesystem::path linked(std::string(link.data(), static_cast<std::size_t>(length)));
        const std::filesystem::path folder = std::filesystem::path(target).parent_path();
        target = linked.is_absolute() || folder.empty() ? linked.string() : (folder / linked).string();
    }
    return false;
}

/// Creates a new file beside target, named after it. The file starts with mode 0666 less the umask; the caller
/// narrows it to the old file's mode when there is one.
int createTempFileBeside(const std::string& target, std::string& tempName)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt)
    {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        tempName = target + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                   std::to_string(now.tv_nsec) + ".tmp";
        const int fd = ::open(tempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& bytes)
{
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0)
    {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

/// True when the file holds exactly bytes, as read back through the descriptor.
bool holdsExactly(int fd, const std::string& bytes)
{
    std::vector<char> chunk(kCompareChunkBytes);
    std::size_t offset = 0;
    for (;;)
    {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return offset == bytes.size();
        const std::size_t count = static_cast<std::size_t>(got);
        if (offset + count > bytes.size() || bytes.compare(offset, count, chunk.data(), count) != 0)
            return false;
        offset += count;
    }
}

/// Makes a rename in the folder durable; file systems that cannot sync a folder are taken at their word.
void syncFolderOf(const std::string& target)
{
    std::string folder = std::filesystem::path(target).parent_path().string();
    if (folder.empty())
        folder = ".";
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0)
        ::fsync(directory.get());
}

bool fillTempFile(FileDescriptor& temp, const std::string& bytes, bool targetExists, const struct stat& target)
{
    // The set-ID bits of an old file must not be handed to contents that were never meant to carry them.
    if (targetExists && ::fchmod(temp.get(), target.st_mode & 07777 & ~(S_ISUID | S_ISGID)) != 0)
        return false;
    return writeAll(temp.get(), bytes) && ::fsync(temp.get()) == 0 && holdsExactly(temp.get(), bytes) && temp.close();
}

} // namespace

bool replaceFileContents(const std::string& path, const std::string& bytes)
{
    std::string target;
    bool exists = false;
    struct stat status
    {
    };
    if (!resolveFinalTarget(path, target, exists, status) || (exists && !S_ISREG(status.st_mode)))
        return false;

    std::string tempName;
    FileDescriptor temp(createTempFileBeside(target, tempName));
    if (temp.get() < 0)
        return false;
    if (!fillTempFile(temp, bytes, exists, status) || std::rename(tempName.c_str(), target.c_str()) != 0)
    {
        ::unlink(tempName.c_str());
        return false;
    }
    syncFolderOf(target);
    return true;
}

bool readFileContents(const std::string& path, std::size_t maxBytes, std::string& contents)
{
    contents.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status
    {
    };
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0 ||
        static_cast<std::size_t>(status.st_size) > maxBytes)
        return false;

    // One byte of room beyond the expected size lets the first short read report the end of the file.
    std::string data(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t used = 0;
    for (;;)
    {
        if (used == data.size())
        {
            if (used > maxBytes)
                return false;
            data.resize(std::min(used + kReadGrowthBytes, maxBytes + 1));
        }
        const ssize_t got = ::read(file.get(), &data[used], data.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    if (used > maxBytes)
        return false;
    data.resize(used);
    contents.swap(data);
    return true;
}
