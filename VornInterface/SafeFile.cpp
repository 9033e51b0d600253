#include "VornInterface/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace
{

int fileErrorCause(int error)
{
    switch (error)
    {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3; // bad path: the folder is missing
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case EDQUOT:
    case ENOSPC:
        return 13;
    default:
        return 1;
    }
}

bool writeAll(int descriptor, const std::string& contents)
{
    std::size_t written = 0;
    while (written < contents.size())
    {
        ssize_t result = ::write(descriptor, contents.data() + written, contents.size() - written);
        if (result < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& contents)
{
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    std::string text;
    char buffer[8192];
    bool ok = true;
    for (;;)
    {
        ssize_t result = ::read(descriptor, buffer, sizeof buffer);
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0)
            ok = false;
        if (result <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(result));
    }
    ::close(descriptor);
    if (ok)
        contents = std::move(text);
    return ok;
}

int writeFileReplacing(const std::string& path, const std::string& contents)
{
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return fileErrorCause(errno);
    bool ok = writeAll(descriptor, contents) && ::fsync(descriptor) == 0;
    int error = errno;
    if (::close(descriptor) != 0 && ok)
    {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        ok = false;
        error = errno;
    }
    if (!ok)
    {
        ::unlink(temporary.c_str());
        return fileErrorCause(error);
    }
    return 0;
}
