#pragma once

// The current folder and text files.

#include "platform/PlatformApi.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform
{

// The process's current folder ("" when it cannot be read) and changing it.
PLATFORM_API std::string currentFolder();
PLATFORM_API bool setCurrentFolder(const std::string& path);

// Why a file operation failed: the numbers the program shows as "ErrorCode:<n>".
enum class FileErrorCause : int32_t
{
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    DirectoryFull = 8,
    SharingViolation = 11,
    DiskFull = 13,
    EndOfFile = 14
};
// The cause for a C library error number.
PLATFORM_API FileErrorCause fileErrorCauseFromErrno(int error);
// The system's own words for a C library error number ("Permission denied", "No space left on
// device"), to tell the user why a file operation failed.
PLATFORM_API std::string systemErrorText(int error);

// 0 when the path names a file that can be opened for reading, else the C library error number
// that says why not (EISDIR for a folder).
PLATFORM_API int fileReadError(const std::string& path);
// Reads the whole file into `content` at once. Answers 0, or the C library error number of the
// failure (then `content` is empty).
PLATFORM_API int readWholeFile(const std::string& path, std::string& content);

// Reads a text file line by line. A line ends at LF; a CR before the LF is dropped, so files
// written on either system read the same.
class PLATFORM_API TextFileReader
{
public:
    TextFileReader() = default;
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool open(const std::string& path);
    // The next line without its line end; false at the end of the file.
    bool readLine(std::string& line);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    FileErrorCause error() const { return error_; }

private:
    std::FILE* file_ = nullptr;
    FileErrorCause error_ = FileErrorCause::None;
};

// Writes a file safely, the one way every file of the program is written: everything goes to a
// new temporary file beside the target (a unique name, created exclusively, so two writers never
// share one), and close() flushes it to the disk and renames it into place. A failure, or a writer
// destroyed without close(), removes the temporary file and leaves the old file as it was.
// A file that is replaced keeps its permission bits; a symbolic link stays and its target is
// written; a file the user may not write is refused.
class PLATFORM_API FileWriter
{
public:
    // The step that failed.
    enum class Step
    {
        None,
        Create, // the target may not be written, or the temporary file could not be made
        Write, // writing or flushing the data failed (disk full, ...)
        Replace, // the finished file could not be renamed over the target
    };

    FileWriter() = default;
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool open(const std::string& path);
    // The text followed by CR LF.
    bool writeLine(const std::string& text);
    bool writeText(const std::string& text);
    bool writeBytes(const void* data, size_t size);
    // Finishes the file; false (and the old file stays) when anything failed.
    bool close();
    bool isOpen() const { return file_ != nullptr; }
    FileErrorCause error() const { return error_; }
    Step failedStep() const { return failedStep_; }
    // The system's words for the failure ("Read-only file system"); empty without one.
    std::string reason() const;

private:
    void fail(Step step, int error);
    void discard();

    std::FILE* file_ = nullptr;
    std::string path_; // the file written in the end, after any symbolic links
    std::string temporaryPath_;
    FileErrorCause error_ = FileErrorCause::None;
    int systemError_ = 0;
    Step failedStep_ = Step::None;
};

} // namespace platform
