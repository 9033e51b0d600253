#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform
{
class Settings;
}

// The files imported or exported most recently, newest first, kept in the user's settings.
class RecentFileList
{
public:
    static constexpr std::size_t capacity = 4;

    // Reads the list from the store (none: the list lives only as long as this object).
    explicit RecentFileList(platform::Settings* store = nullptr);

    // Puts the file first; the same file already listed moves up, the oldest falls off a full list.
    void add(const std::string& path);
    void remove(std::size_t index);
    const std::vector<std::string>& paths() const { return paths_; }

    // Told after every change.
    void setChangeListener(std::function<void()> listener) { changeListener_ = std::move(listener); }

private:
    void changed();

    platform::Settings* store_;
    std::vector<std::string> paths_;
    std::function<void()> changeListener_;
};
