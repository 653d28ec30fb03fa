#include "trajectory/FileContents.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <dirent.h>
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

// A temporary file is named ".<hash of the target's name>.<pid>.<random>.tmp" in the target's folder: short
// whatever the target's name, so that a name near the file system's limit can still be saved, and telling whose
// it is, so that a later save can remove those that a killed process left. Older versions named it
// "<target's name>.<pid>-<counter>-<nanoseconds>.tmp".
constexpr const char* kTempSuffix = ".tmp";
constexpr std::size_t kHashDigits = 8;
constexpr std::size_t kRandomDigits = 8;

std::string hexDigits(std::uint32_t value)
{
    static const char kHex[] = "0123456789abcdef";
    std::string digits(kHashDigits, '0');
    for (std::size_t i = kHashDigits; i-- > 0; value >>= 4)
        digits[i] = kHex[value & 0xF];
    return digits;
}

std::uint32_t nameHash(const std::string& name)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

std::string tempPrefix(const std::string& targetName)
{
    return "." + hexDigits(nameHash(targetName)) + ".";
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

/// True when text[from, to) is the decimal a std::to_string gives for some number up to maxValue: digits only, no
/// leading zero. Its value goes to value.
bool readCanonicalDecimal(const std::string& text, std::size_t from, std::size_t to, unsigned long long maxValue,
                          unsigned long long& value)
{
    constexpr std::size_t kMaxDigits = 19; // below the overflow of an unsigned long long
    if (from >= to || to > text.size() || to - from > kMaxDigits || (text[from] == '0' && to - from > 1))
        return false;
    value = 0;
    for (std::size_t i = from; i < to; ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + static_cast<unsigned long long>(text[i] - '0');
    }
    return value <= maxValue;
}

/// The process number that the writer put into text[from, to), or 0 when that is not one.
pid_t readPid(const std::string& text, std::size_t from, std::size_t to)
{
    constexpr unsigned long long kMaxPid = 4194304; // the kernel's PID_MAX_LIMIT
    unsigned long long pid = 0;
    return readCanonicalDecimal(text, from, to, kMaxPid, pid) ? static_cast<pid_t>(pid) : 0;
}

/// The saver of entry when it is named ".<hash>.<pid>.<random>.tmp" for targetName; 0 otherwise.
pid_t ownerOfTempName(const std::string& entry, const std::string& targetName)
{
    const std::string prefix = tempPrefix(targetName);
    const std::size_t suffixLength = std::strlen(kTempSuffix);
    if (entry.size() < prefix.size() + 1 + 1 + kRandomDigits + suffixLength ||
        entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - suffixLength, suffixLength, kTempSuffix) != 0)
        return 0;
    const std::size_t randomStart = entry.size() - suffixLength - kRandomDigits;
    if (entry[randomStart - 1] != '.' || !std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(randomStart),
                                                      entry.end() - static_cast<std::ptrdiff_t>(suffixLength), isHex))
        return 0;
    return readPid(entry, prefix.size(), randomStart - 1);
}

/// The saver of entry when it is named "<targetName>.<pid>-<counter>-<nanoseconds>.tmp", as older versions named
/// their temporary files; 0 otherwise.
pid_t ownerOfOldTempName(const std::string& entry, const std::string& targetName)
{
    const std::size_t suffixLength = std::strlen(kTempSuffix);
    const std::size_t pidStart = targetName.size() + 1;
    if (entry.size() <= pidStart + suffixLength || entry.compare(0, targetName.size(), targetName) != 0 ||
        entry[targetName.size()] != '.' || entry.compare(entry.size() - suffixLength, suffixLength, kTempSuffix) != 0)
        return 0;
    const std::size_t end = entry.size() - suffixLength;
    const std::size_t pidEnd = entry.find('-', pidStart);
    const std::size_t counterEnd = pidEnd == std::string::npos ? pidEnd : entry.find('-', pidEnd + 1);
    if (counterEnd == std::string::npos || counterEnd > end)
        return 0;
    constexpr unsigned long long kMaxCounter = 4294967295ULL; // an unsigned counter
    constexpr unsigned long long kMaxNanoseconds = 999999999ULL;
    unsigned long long ignored = 0;
    if (!readCanonicalDecimal(entry, pidEnd + 1, counterEnd, kMaxCounter, ignored) ||
        !readCanonicalDecimal(entry, counterEnd + 1, end, kMaxNanoseconds, ignored))
        return 0;
    return readPid(entry, pidStart, pidEnd);
}

/// The process that made entry, a temporary file of targetName in either naming; 0 when entry is none. A name
/// qualifies only in the exact shape the writer gives: a user's "library1.xml.2026-12-09.tmp" is not a temporary
/// file of process 2026.
pid_t temporaryFileOwner(const std::string& entry, const std::string& targetName)
{
    const pid_t owner = ownerOfTempName(entry, targetName);
    return owner > 0 ? owner : ownerOfOldTempName(entry, targetName);
}

bool processIsGone(pid_t pid)
{
    // A process of another user answers EPERM: it exists.
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

/// Removes the temporary files of targetName in the folder that processes which no longer exist left behind (a
/// save killed half-way); those of running processes, which may be saving at this moment, stay.
void removeTempFilesOfGoneSavers(int folder, const std::string& targetName)
{
    const int listed = ::dup(folder);
    if (listed < 0)
        return;
    DIR* entries = ::fdopendir(listed);
    if (!entries)
    {
        ::close(listed);
        return;
    }
    std::vector<std::string> gone;
    while (const dirent* entry = ::readdir(entries))
    {
        const std::string name = entry->d_name;
        const pid_t owner = temporaryFileOwner(name, targetName);
        struct stat status
        {
        };
        if (owner > 0 && processIsGone(owner) && ::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            gone.push_back(name);
    }
    ::closedir(entries);
    for (const std::string& name : gone)
        ::unlinkat(folder, name.c_str(), 0);
}

/// As resolveFinalTarget, for a path whose symbolic links are not followed: a link is reported as what exists.
bool lookUpWithoutFollowing(const std::string& path, std::string& target, bool& exists, struct stat& status)
{
    target = path;
    exists = ::lstat(path.c_str(), &status) == 0;
    return exists || errno == ENOENT;
}

/// Creates a new temporary file for targetName in the folder. The file starts with mode 0666 less the umask;
/// the caller narrows it to the old file's mode when there is one.
int createTempFile(int folder, const std::string& targetName, std::string& tempName)
{
    static std::atomic<std::uint32_t> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt)
    {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        const std::uint32_t unique = static_cast<std::uint32_t>(now.tv_nsec) ^ (counter++ * 2654435761u);
        tempName = tempPrefix(targetName) + std::to_string(::getpid()) + "." + hexDigits(unique) + kTempSuffix;
        const int fd = ::openat(folder, tempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
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

bool fillTempFile(FileDescriptor& temp, const std::string& bytes, bool targetExists, const struct stat& target)
{
    // The set-ID bits of an old file must not be handed to contents that were never meant to carry them.
    if (targetExists && ::fchmod(temp.get(), target.st_mode & 07777 & ~(S_ISUID | S_ISGID)) != 0)
        return false;
    return writeAll(temp.get(), bytes) && ::fsync(temp.get()) == 0 && holdsExactly(temp.get(), bytes) && temp.close();
}

} // namespace

bool replaceFileContents(const std::string& path, const std::string& bytes, LinkPolicy links)
{
    std::string target;
    bool exists = false;
    struct stat status
    {
    };
    const bool resolved = links == LinkPolicy::Follow ? resolveFinalTarget(path, target, exists, status)
                                                      : lookUpWithoutFollowing(path, target, exists, status);
    if (!resolved || (exists && !S_ISREG(status.st_mode)))
        return false;

    const std::filesystem::path targetPath(target);
    const std::string targetName = targetPath.filename().string();
    const std::string folderName = targetPath.has_parent_path() ? targetPath.parent_path().string() : ".";
    if (targetName.empty() || targetName == "." || targetName == "..")
        return false;
    FileDescriptor folder(::open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return false;
    removeTempFilesOfGoneSavers(folder.get(), targetName);

    std::string tempName;
    FileDescriptor temp(createTempFile(folder.get(), targetName, tempName));
    if (temp.get() < 0)
        return false;
    if (!fillTempFile(temp, bytes, exists, status) ||
        ::renameat(folder.get(), tempName.c_str(), folder.get(), targetName.c_str()) != 0)
    {
        ::unlinkat(folder.get(), tempName.c_str(), 0);
        return false;
    }
    // Makes the rename durable; file systems that cannot sync a folder are taken at their word.
    ::fsync(folder.get());
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
