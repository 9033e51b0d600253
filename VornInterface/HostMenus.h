#pragma once

#include "VornInterface/CommandIds.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform
{
class Menu;
}

// The menu bar while no document window is open.
std::unique_ptr<platform::Menu> makeNoDocumentMenu();
// The menu bar of document windows; plugin menu items are joined into it.
std::unique_ptr<platform::Menu> makeDocumentMenu();

// The "&Window" popup of the document menu bar, where the open document windows are listed; null
// when the bar has none.
platform::Menu* windowMenuOf(platform::Menu& documentBar);

// Shows the recent files in the File menu of a menu bar in place of its recent-file entries, as
// "&1 <path>" with ids counted up from RecentFile, or the single "Recent File" entry when there are none.
void showRecentFiles(platform::Menu& bar, const std::vector<std::string>& paths);

// The status-bar prompt of a host command ("prompt\ntooltip"); empty for other ids.
std::string hostCommandPrompt(std::uint32_t id);

// The view-update period of an update-rate command in milliseconds, or -1 for other ids.
int updatePeriodOf(std::uint32_t id);
