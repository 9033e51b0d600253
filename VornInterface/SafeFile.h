#pragma once

#include <string>

// Whole-file reading and writing for the host's configuration files.

// Reads the whole file; false when it cannot be opened or read (a folder, no permission).
bool readWholeFile(const std::string& path, std::string& contents);

// Writes `contents` to a temporary file beside `path` and renames it over `path`, so a failure
// never leaves half a file. Answers 0 on success, else the file-error cause number the user sees
// ("ErrorCode:<n>"): 1 generic, 2 file not found, 3 bad path, 4 too many open files, 5 access
// denied, 8 directory full, 13 disk full.
int writeFileReplacing(const std::string& path, const std::string& contents);
