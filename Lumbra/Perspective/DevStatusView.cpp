#include "Lumbra/Perspective/DevStatusView.h"

#include "Knots/knotManager.h"
#include "Lumbra/Calculators/ResultStore.h"
#include "Lumbra/Perspective/DevStatusViewPage.h"
#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "VornData/DocumentItem.h"
#include "VornData/VornDocument.h"
#include "VornData/VornTypeIDManager.h"
#include "__globalobjectdevice/Notifier.h"
#include "dwordarraymanager/DWordArrayManager.h"
#include "platform/DeviceContext.h"
#include "plugins/MAI.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <mutex>
#include <new>

namespace lumbra
{

namespace
{

constexpr uint32_t black = 0x000000;
constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t currentSelectionColour = 0x4040FF;

// The right edges of the first three columns, as the texts are written.
constexpr int32_t columnLines[] = {140, 290, 440};
// Where the second column's counts stand, clear of their longest label ("ActiveHandles:").
constexpr int32_t valueLeft = 262;
// Room between a column's longest text and its right edge.
constexpr int32_t columnMargin = 6;

// Widens each column to its longest text: every x at or right of a column's right edge moves by
// what that column and the columns left of it grew.
void widenColumns(std::vector<StatusPiece>& pieces, const StatusTextWidth& textWidth)
{
    int32_t growth[std::size(columnLines)] = {};
    for (const StatusPiece& piece : pieces)
    {
        if (piece.text.empty())
            continue;
        for (size_t column = 0; column < std::size(columnLines); ++column)
            if (piece.x < columnLines[column])
            {
                const int32_t right = piece.x + textWidth(piece.text) + columnMargin;
                growth[column] = std::max(growth[column], right - columnLines[column]);
                break;
            }
    }
    const auto moved = [&](int32_t x) {
        int32_t shift = 0;
        for (size_t column = 0; column < std::size(columnLines); ++column)
            if (x >= columnLines[column])
                shift += growth[column];
        return x + shift;
    };
    for (StatusPiece& piece : pieces)
    {
        const bool line = piece.text.empty();
        piece.x = moved(piece.x);
        if (line)
            piece.toX = moved(piece.toX);
    }
}

int32_t countLinks(const knotList& list)
{
    int32_t count = 0;
    for (knot* link = list.getFirst(); link != nullptr; link = link->getNext())
        ++count;
    return count;
}

std::string counted(const char* name, int64_t count)
{
    return std::string(name != nullptr ? name : "") + " [" + std::to_string(count) + "]";
}

class StatusWriter
{
public:
    void text(int32_t x, int32_t y, uint32_t colour, std::string line)
    {
        pieces.push_back({x, y, colour, std::move(line)});
    }
    void line(int32_t x, int32_t y, int32_t toX, int32_t toY) { pieces.push_back({x, y, 0, {}, toX, toY}); }

    // A list and its children below it, each child indented.
    void blockList(const BlockListBase* list, int32_t x, int32_t& y)
    {
        y += 20;
        text(x, y, black, counted(list->getName(), list->getCount()));
        for (const BlockListBase* child = list->getFirstChild(); child != nullptr; child = child->getNext())
            blockList(child, x + 20, y);
    }

    std::vector<StatusPiece> pieces;
};

void writeSecondColumn(StatusWriter& out, VornDocument& document)
{
    int32_t y = 10;
    out.text(150, y, white, "KnotManager:");
    const knotManager* knots = knotManager::instance();
    y += 20;
    out.text(170, y, white, "Used:");
    out.text(valueLeft, y, white, std::to_string(knots != nullptr ? knots->getUsed() : 0));
    y += 20;
    out.text(170, y, white, "Available:");
    out.text(valueLeft, y, white, std::to_string(knots != nullptr ? knots->getCapacity() : 0));
    out.line(140, y + 30, 290, y + 30);
    y += 20;

    const DWordArrayManager* arrays = DWordArrayManager::instance();
    y += 20;
    out.text(150, y, white, "DWordArrayMan:");
    const std::pair<const char*, uint32_t> values[] = {
        {"Used:", arrays != nullptr ? arrays->getUsed() : 0},
        {"Total:", arrays != nullptr ? arrays->getCapacity() : 0},
        {"ActiveHandles:", arrays != nullptr ? arrays->getEntryCount() : 0},
    };
    for (const auto& [label, value] : values)
    {
        y += 20;
        out.text(170, y, white, label);
        out.text(valueLeft, y, white, std::to_string(value));
    }
    out.line(140, y + 30, 290, y + 30);
    y += 20;

    y += 20;
    out.text(150, y, black, "Selections:");
    BlockList<VornSelection>* selections = document.getSelectionList();
    if (selections == nullptr || selections->getCount() == 0)
    {
        y += 20;
        out.text(160, y, black, "no selections");
    }
    else
    {
        const VornSelection* current = document.findSelection();
        for (uint32_t index = selections->getCount(); index-- > 0;)
        {
            const VornSelection& selection = (*selections)[index];
            y += 20;
            const std::string name = selection.isNamed() ? std::string("->") + selection.name.getString() : "_unnamed_";
            out.text(160, y, &selection == current ? currentSelectionColour : white,
                     counted(name.c_str(), countLinks(selection.objects)));
        }
    }
    out.line(140, y + 30, 290, y + 30);
    y += 20;

    y += 20;
    out.text(150, y, black, "Groups:");
    BlockList<VornGroup>* groups = document.getGroupList();
    if (groups == nullptr || groups->getCount() == 0)
        out.text(160, y + 20, black, "no groups");
    else
        for (uint32_t index = groups->getCount(); index-- > 0;)
        {
            const VornGroup& group = (*groups)[index];
            y += 20;
            const char* name = group.name.getString();
            std::string shown = name != nullptr && name[0] != '\0' ? name : "_unnamed_";
            shown += group.hasFlagBits(VornFlag::GroupClosed) ? " x" : " o";
            out.text(160, y, white, counted(shown.c_str(), countLinks(group.children)));
        }
    out.line(140, y + 30, 290, y + 30);
    y += 20;

    y += 20;
    out.text(150, y, black, "DocItems:");
    if (document.getFirstDocumentItem() == nullptr)
    {
        y += 20;
        out.text(160, y, black, "no items");
    }
    for (const DocumentItem* item = document.getFirstDocumentItem(); item != nullptr; item = item->getNext())
    {
        y += 20;
        out.text(160, y, black, item->getName());
    }
}

void writeThirdColumn(StatusWriter& out, NotifierRegistry* channels)
{
    int32_t y = 10;
    out.text(300, y, black, "Notifiers:");
    const Notifier* first = channels != nullptr ? channels->getNotifier(nullptr) : nullptr;
    if (first == nullptr)
        out.text(310, y + 20, black, "no notifiers");
    for (const Notifier* channel = first; channel != nullptr; channel = channel->getNextNotifier())
    {
        int32_t listeners = 0;
        for (NotifierListener* listener = channel->getFirstListener(); listener != nullptr; listener = listener->getNext())
            ++listeners;
        y += 20;
        out.text(310, y, black, counted(channel->getName(), listeners));
    }
    out.line(290, y + 30, 440, y + 30);
    y += 20;

    y += 20;
    out.text(300, y, black, "TypeIDs:");
    const VornTypeIDManager* types = getTypeIDManager();
    if (types == nullptr || types->getTypeCount() == 0)
    {
        out.text(310, y + 20, black, "no typeIDs");
        return;
    }
    for (int32_t id = types->getTypeCount(); id-- > 0;)
    {
        const char* name = types->getName(id);
        if (name == nullptr)
            continue;
        y += 20;
        out.text(310, y, white,
                 std::string(name) + "=" + std::to_string(id) + " <" + types->getName(types->getBaseClassID(id)) + ">");
    }
}

} // namespace

std::vector<StatusPiece> documentStatus(VornDocument* document, NotifierRegistry* channels,
                                        const StatusTextWidth& textWidth)
{
    StatusWriter out;
    out.text(10, 10, black, "BlockLists:");
    if (document == nullptr)
        return std::move(out.pieces);
    int32_t y = 10;
    {
        // A running calculation renames its result lists while it rotates them; their names are
        // read while no rotation is under way, so no list shows twice under one name.
        const std::shared_ptr<ResultStore> results = ResultStore::find(*document);
        std::unique_lock<RolesLock> roles;
        if (results != nullptr)
            roles = std::unique_lock<RolesLock>(results->roles, std::chrono::milliseconds(500));
        // Rotations are brief; a wait that still fails leaves the lists to the next paint.
        if (results == nullptr || roles.owns_lock())
            for (const BlockListBase* list = document->getFirstBlockList(); list != nullptr; list = list->getNext())
                out.blockList(list, 10, y);
    }
    for (int32_t x : columnLines)
        out.line(x, 0, x, 1024);
    writeSecondColumn(out, *document);
    writeThirdColumn(out, channels);
    if (textWidth)
        widenColumns(out.pieces, textWidth);
    return std::move(out.pieces);
}

VornPluginBase* PluginViewDevStatus::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginMenuItemView(this, "&View\\Select &Type\\&DevStatus");
    if (item == nullptr)
        throw Exc_OutOfMemory("PluginViewDevStatus::GetPackagedPlugin");
    selectMenuItem = package(item);
    return item;
}

PluginViewDevStatus::PluginViewDevStatus() = default;

PluginViewDevStatus::~PluginViewDevStatus() = default;

PluginWindowRequest* PluginViewDevStatus::getWindowRequest()
{
    if (viewPage == nullptr)
    {
        viewPage = std::make_unique<CViewPageDevStatus>(this);
        dialogObject = viewPage.get();
    }
    return requestWindow(CViewPageDevStatus::templateId);
}

void PluginViewDevStatus::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, getName(), 1999, "PluginViewDevStatus");
}

ViewTypeInfo* PluginViewDevStatus::getViewTypeInfo(MAI_View* view)
{
    return findOrMakeViewTypeInfo<ViewTypeInfo>(this, view, "PluginViewDevStatus::getViewTypeInfo()");
}

void PluginViewDevStatus::activateView(MAI_View*, VornPluginViewBase* previousViewType)
{
    if (previousViewType != this && mai != nullptr)
        mai->redrawToolbars();
}

void PluginViewDevStatus::draw(platform::DeviceContext* context, ViewTypeInfo* info)
{
    if (context == nullptr || info == nullptr || info->ownerView == nullptr)
        return;
    platform::Rect client;
    info->ownerView->getClientRect(client);
    context->fillSolidRect(client, 0xA0C090);
    const platform::Font previousFont = context->selectObject(platform::Font::stock(platform::ANSI_VAR_FONT));
    const int32_t previousMode = context->setBkMode(platform::TRANSPARENT);
    MAI_Doc* document = info->ownerView->document;
    const StatusTextWidth textWidth = [context](const std::string& text) { return context->getTextExtent(text).width; };
    for (const StatusPiece& piece : documentStatus(document != nullptr ? &document->document : nullptr,
                                                   mai != nullptr ? &mai->notifierRegistry : nullptr, textWidth))
    {
        if (piece.text.empty())
        {
            context->moveTo(piece.x, piece.y);
            context->lineTo(piece.toX, piece.toY);
            continue;
        }
        context->setTextColor(piece.colour);
        context->textOut(piece.x, piece.y, piece.text);
    }
    context->setBkMode(previousMode);
    context->selectObject(previousFont);
}

} // namespace lumbra
