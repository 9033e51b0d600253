#include "VornInterface/RecentFileList.h"

#include "platform/Settings.h"

#include <algorithm>
#include <filesystem>

namespace
{

const char* const section = "Recent File List";

std::string keyOf(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

RecentFileList::RecentFileList(platform::Settings* store) : store_(store)
{
    if (store_ == nullptr)
        return;
    for (std::size_t index = 0; index < capacity; ++index)
    {
        std::string path = store_->readString(section, keyOf(index));
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(std::move(path));
    }
}

void RecentFileList::add(const std::string& path)
{
    if (path.empty())
        return;
    // Absolute, so an entry still names the same file after the current folder changes.
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string entry = error ? path : absolute.lexically_normal().string();
    paths_.erase(std::remove(paths_.begin(), paths_.end(), entry), paths_.end());
    paths_.insert(paths_.begin(), entry);
    if (paths_.size() > capacity)
        paths_.resize(capacity);
    changed();
}

void RecentFileList::remove(std::size_t index)
{
    if (index >= paths_.size())
        return;
    paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
}

void RecentFileList::changed()
{
    if (store_ != nullptr)
    {
        for (std::size_t index = 0; index < capacity; ++index)
        {
            if (index < paths_.size())
                store_->writeString(section, keyOf(index), paths_[index]);
            else
                store_->remove(section, keyOf(index));
        }
        store_->sync();
    }
    if (changeListener_)
        changeListener_();
}
