#pragma once

// Settings kept for the user between runs, by section and key.

#include "platform/PlatformApi.h"

#include <memory>
#include <string>

namespace platform
{

// A settings store named by organisation and application. Without a folder it is the user's
// store for that name; with one it is a file under that folder (tests keep theirs apart).
// Changes are written when the store is synchronised or destroyed.
class PLATFORM_API Settings
{
public:
    Settings(const std::string& organisation, const std::string& application, const std::string& folder = {});
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // The value, or empty when the key has none.
    std::string readString(const std::string& section, const std::string& key) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void remove(const std::string& section, const std::string& key);
    // Writes pending changes now.
    void sync();

private:
    struct Store;
    std::unique_ptr<Store> store_;
};

} // namespace platform
