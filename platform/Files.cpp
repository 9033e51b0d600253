#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace platform
{

std::string currentFolder()
{
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr)
        return {};
    return buffer.data();
}

bool setCurrentFolder(const std::string& path)
{
    return chdir(path.c_str()) == 0;
}

FileErrorCause fileErrorCauseFromErrno(int error)
{
    switch (error)
    {
    case 0:
        return FileErrorCause::None;
    case ENOENT:
        return FileErrorCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileErrorCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileErrorCause::AccessDenied;
    case EMLINK:
        return FileErrorCause::DirectoryFull;
    case EBUSY:
    case ETXTBSY:
        return FileErrorCause::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorCause::DiskFull;
    default:
        return FileErrorCause::Generic;
    }
}

std::string systemErrorText(int error)
{
    char buffer[256];
    // The GNU strerror_r answers its text, which need not be in the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

namespace
{

// A descriptor of the file opened for reading, or -1 with the reason in `error`.
int openForReading(const std::string& path, int& error)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
    {
        error = errno;
        return -1;
    }
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode))
    {
        error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        ::close(descriptor);
        return -1;
    }
    error = 0;
    return descriptor;
}

} // namespace

int fileReadError(const std::string& path)
{
    int error = 0;
    const int descriptor = openForReading(path, error);
    if (descriptor >= 0)
        ::close(descriptor);
    return error;
}

int readWholeFile(const std::string& path, std::string& content)
{
    content.clear();
    int error = 0;
    const int descriptor = openForReading(path, error);
    if (descriptor < 0)
        return error;
    // Room for more than the file's size, so that the read that finds the end needs no more; a
    // file that grows meanwhile is still read whole.
    struct stat status = {};
    const size_t size =
        ::fstat(descriptor, &status) == 0 && status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0;
    content.resize(size + 4096);
    size_t filled = 0;
    for (;;)
    {
        if (filled == content.size())
            content.resize(content.size() * 2);
        const ssize_t count = ::read(descriptor, content.data() + filled, content.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
        {
            error = errno;
            filled = 0;
        }
        if (count <= 0)
            break;
        filled += static_cast<size_t>(count);
    }
    content.resize(filled);
    ::close(descriptor);
    return error;
}

TextFileReader::~TextFileReader()
{
    close();
}

bool TextFileReader::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "rb");
    error_ = file_ == nullptr ? fileErrorCauseFromErrno(errno) : FileErrorCause::None;
    return file_ != nullptr;
}

namespace
{
// Holds a stream's lock, so that the unlocked reads between take it once.
class StreamLock
{
public:
    explicit StreamLock(std::FILE* file) : file(file) { flockfile(file); }
    ~StreamLock() { funlockfile(file); }
    StreamLock(const StreamLock&) = delete;
    StreamLock& operator=(const StreamLock&) = delete;

private:
    std::FILE* file;
};
} // namespace

bool TextFileReader::readLine(std::string& line)
{
    line.clear();
    if (file_ == nullptr)
        return false;
    bool any = false;
    // One lock of the stream for the line rather than one per character.
    const StreamLock lock(file_);
    for (int character = getc_unlocked(file_); character != EOF; character = getc_unlocked(file_))
    {
        any = true;
        if (character == '\n')
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.push_back(static_cast<char>(character));
    }
    if (std::ferror(file_))
    {
        error_ = fileErrorCauseFromErrno(errno);
        return false;
    }
    // The last line may lack its line end.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

void TextFileReader::close()
{
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
}

FileWriter::~FileWriter()
{
    discard();
}

namespace
{

// The file that a path names in the end: symbolic links are followed to their target, also to one
// that does not exist yet. False when the links run in a loop or too deep.
bool followLinks(const std::string& path, std::string& target)
{
    namespace fs = std::filesystem;
    fs::path current(path);
    for (int depth = 0; depth < 40; ++depth)
    {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
        {
            target = current.string();
            return true;
        }
        const fs::path next = fs::read_symlink(current, error);
        if (error)
        {
            target = current.string();
            return true;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return false;
}

} // namespace

bool FileWriter::open(const std::string& path)
{
    discard();
    error_ = FileErrorCause::None;
    systemError_ = 0;
    failedStep_ = Step::None;
    temporaryPath_.clear();
    // Written through a symbolic link to its target, which keeps its permission bits; one the user
    // may not write is refused rather than replaced.
    if (!followLinks(path, path_))
    {
        fail(Step::Create, ELOOP);
        return false;
    }
    struct stat existing = {};
    const bool replacing = ::stat(path_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing && ::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0)
    {
        fail(Step::Create, errno);
        return false;
    }
    static thread_local std::mt19937 generator{std::random_device{}()};
    // A name taken by somebody else is never reused: another name is drawn.
    int descriptor = -1;
    for (int attempt = 0; attempt < 16 && descriptor < 0; ++attempt)
    {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(generator()));
        temporaryPath_ = path_ + suffix;
        // A new file gets the permissions any new file of the user gets.
        descriptor = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST)
            break;
    }
    if (descriptor >= 0 && (!replacing || ::fchmod(descriptor, existing.st_mode & 0777) == 0))
        file_ = ::fdopen(descriptor, "wb");
    if (file_ != nullptr)
        return true;
    const int error = errno;
    if (descriptor >= 0)
    {
        ::close(descriptor);
        ::unlink(temporaryPath_.c_str());
    }
    fail(Step::Create, error);
    temporaryPath_.clear();
    return false;
}

bool FileWriter::writeBytes(const void* data, size_t size)
{
    if (file_ == nullptr || error_ != FileErrorCause::None)
        return false;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size)
    {
        fail(Step::Write, errno);
        return false;
    }
    return true;
}

bool FileWriter::writeText(const std::string& text)
{
    return writeBytes(text.data(), text.size());
}

bool FileWriter::writeLine(const std::string& text)
{
    return writeText(text) && writeBytes("\r\n", 2);
}

bool FileWriter::close()
{
    if (file_ == nullptr)
        return false;
    if (error_ == FileErrorCause::None && (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0))
        fail(Step::Write, errno);
    if (std::fclose(file_) != 0 && error_ == FileErrorCause::None)
        fail(Step::Write, errno);
    file_ = nullptr;
    if (error_ == FileErrorCause::None && std::rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        fail(Step::Replace, errno);
    if (error_ != FileErrorCause::None)
    {
        ::unlink(temporaryPath_.c_str());
        return false;
    }
    return true;
}

std::string FileWriter::reason() const
{
    return systemError_ != 0 ? systemErrorText(systemError_) : std::string();
}

void FileWriter::fail(Step step, int error)
{
    if (error_ != FileErrorCause::None)
        return;
    failedStep_ = step;
    systemError_ = error;
    error_ = fileErrorCauseFromErrno(error);
    if (error_ == FileErrorCause::None)
        error_ = FileErrorCause::Generic;
}

void FileWriter::discard()
{
    if (file_ == nullptr)
        return;
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(temporaryPath_.c_str());
}

} // namespace platform
