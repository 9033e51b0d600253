#pragma once

// Shared pieces of the host dialog tests: a scratch folder that is made fresh for each test and
// becomes the current folder while the test runs, and a registry of the host's types holding a
// few menu items.

#include "VornInterface/HostPluginTypes.h"
#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class ScratchFolder
{
public:
    ScratchFolder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
            ("vorn-host-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "system");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::permissions(path / "locked", std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (path / name).string(); }

    // A folder nobody may write into (a test run as root can still write, so tests check).
    std::string lockedFolder() const
    {
        std::filesystem::create_directories(path / "locked");
        std::filesystem::permissions(path / "locked",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        return (path / "locked").string();
    }

    std::filesystem::path path;
    std::filesystem::path previous;
};

inline std::string readFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFileText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The host's eleven types with menu items "Move", "Rotate", "Scale" and "Delete" of
// "Standard MenuItem" (owned by the registry).
struct MenuItemRegistry
{
    MenuItemRegistry()
    {
        registerHostPluginTypes(registry, mai);
        for (const char* name : {"Move", "Rotate", "Scale", "Delete"})
            registry.addPlugin(new RecordingMenuItem(name));
    }
    VornPluginMenuItem* item(const char* name)
    {
        return dynamic_cast<VornPluginMenuItem*>(registry.findPlugin("Standard MenuItem", name));
    }

    FakeMAI mai;
    PluginManager registry;
};
