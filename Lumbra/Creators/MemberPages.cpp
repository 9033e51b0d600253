#include "Lumbra/Creators/MemberPages.h"

#include "Lumbra/LumbraLibrary.h"
#include "plugins/VornPlugin.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"

namespace lumbra
{

namespace
{

// The spin buttons of the Joints pagette add or take 1 per click and per pixel dragged.
constexpr double jointsSpinStep = 1.0;

} // namespace

CPageMemberJoints::CPageMemberJoints(platform::Window*, VornPluginWindowed* plugin)
    : Dialog(dialogId),
      startColour(&modelOfPagette<MemberJointsModel>(plugin).start.colour),
      endColour(&modelOfPagette<MemberJointsModel>(plugin).end.colour),
      model(modelOfPagette<MemberJointsModel>(plugin))
{
    for (size_t row = 0; row < links.size(); ++row)
    {
        MemberEndFields& fields = fieldsOfRow(static_cast<int32_t>(row));
        links[row] = std::make_unique<PageRowLink<CPageMemberJoints>>(
            *this, static_cast<int32_t>(row), fields.coordinates.valueAddress(row % 3), 0.0);
        links[row]->step = jointsSpinStep;
        links[row]->dragFactor = jointsSpinStep;
        spinners[row] = std::make_unique<CDoubleSpinner>(links[row].get(), 0);
    }
    model.changed = [this] { showModel(); };
}

CPageMemberJoints::~CPageMemberJoints()
{
    model.changed = nullptr;
}

MemberEndFields& CPageMemberJoints::fieldsOfRow(int32_t row)
{
    return row < 3 ? model.start : model.end;
}

bool CPageMemberJoints::onInitDialog()
{
    Dialog::onInitDialog();
    attachPagetteFrame(*this, frame, frameId);
    frame.separator1 = blockSeparator;
    startColour.subclassDlgItem(startIds.colourId, this);
    endColour.subclassDlgItem(endIds.colourId, this);
    for (size_t row = 0; row < spinners.size(); ++row)
    {
        const BlockIds& ids = row < 3 ? startIds : endIds;
        spinners[row]->subclassDlgItem(ids.spinnerIds[row % 3], this);
    }
    showModel();
    return true;
}

bool CPageMemberJoints::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    for (const BlockIds* ids : {&startIds, &endIds})
    {
        MemberEndFields& fields = ids == &startIds ? model.start : model.end;
        if (id == static_cast<uint32_t>(ids->nameId))
        {
            if (code == platform::EN_CHANGE && !showing)
                if (platform::Window* edit = dlgItem(ids->nameId))
                    fields.name = edit->windowText();
            return true;
        }
        if (id == static_cast<uint32_t>(ids->colourId))
        {
            if (code == platform::BN_CLICKED)
                (ids == &startIds ? startColour : endColour).chooseColour();
            return true;
        }
        for (size_t axis = 0; axis < 3; ++axis)
            if (id == static_cast<uint32_t>(ids->editIds[axis]))
            {
                if (code == platform::EN_CHANGE && !showing)
                    if (platform::Window* edit = dlgItem(ids->editIds[axis]))
                        fields.coordinates.type(axis, edit->windowText());
                return true;
            }
    }
    return Dialog::onCommand(id, code, control);
}

void CPageMemberJoints::showBlock(const BlockIds& ids, const MemberEndFields& fields)
{
    if (platform::Window* name = dlgItem(ids.nameId))
    {
        if (name->windowText() != fields.name)
            name->setWindowText(fields.name);
        name->enableWindow(fields.nameEnabled);
        name->sendMessage(platform::EM_SETREADONLY, fields.nameReadOnly ? 1 : 0);
    }
    for (size_t axis = 0; axis < 3; ++axis)
        if (platform::Window* edit = dlgItem(ids.editIds[axis]))
        {
            showNumberField(edit, fields.coordinates.value(axis), fields.coordinates.text(axis));
            edit->enableWindow(fields.coordinates.enabled);
            edit->sendMessage(platform::EM_SETREADONLY, fields.coordinates.readOnly ? 1 : 0);
        }
}

void CPageMemberJoints::showModel()
{
    if (!exists())
        return;
    showing = true;
    showBlock(startIds, model.start);
    showBlock(endIds, model.end);
    showing = false;
    endColour.enableWindow(model.endColourEnabled);
    startColour.invalidate(true);
    endColour.invalidate(true);
}

void CPageMemberJoints::beginSpin(int32_t row)
{
    fieldsOfRow(row).coordinates.takeTextQuietly(static_cast<size_t>(row % 3));
}

void CPageMemberJoints::spun(int32_t row)
{
    NumberTripleModel& coordinates = fieldsOfRow(row).coordinates;
    const auto axis = static_cast<size_t>(row % 3);
    coordinates.show(axis, coordinates.value(axis));
    showModel();
}

namespace
{

platform::DialogTemplate memberJointsTemplate()
{
    using namespace platform;
    using Page = CPageMemberJoints;
    constexpr int32_t height = 144;
    std::vector<DialogItemTemplate> items = {
        controlItem("Button", Page::frameId, {0, 0, 120, height}, BS_OWNERDRAW, "Member Start Joint & End Joint"),
    };
    const char* labels[] = {"X", "Y", "Z"};
    const char* spinnerTexts[] = {"sX", "sY", "sZ"};
    int32_t y = 14;
    for (const Page::BlockIds* ids : {&Page::startIds, &Page::endIds})
    {
        items.push_back(controlItem("Edit", ids->nameId, {6, y, 90, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
        items.push_back(controlItem("Button", ids->colourId, {100, y, 13, 12}, BS_OWNERDRAW | WS_TABSTOP, "C"));
        y += 16;
        for (size_t axis = 0; axis < 3; ++axis, y += 16)
        {
            items.push_back(controlItem("Static", IDC_STATIC, {6, y + 2, 25, 8}, SS_LEFT, labels[axis]));
            items.push_back(
                controlItem("Edit", ids->editIds[axis], {33, y, 73, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL));
            items.push_back(
                controlItem("Button", ids->spinnerIds[axis], {108, y, 9, 12}, BS_OWNERDRAW, spinnerTexts[axis]));
        }
        y += 4; // the end block begins below the frame's separator line
    }
    return dialogTemplateOf({0, 0, 120, height},
                            WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "", std::move(items));
}

} // namespace

void registerMemberJointsTemplate()
{
    platform::registerDialogTemplate(thisModule(), CPageMemberJoints::dialogId, memberJointsTemplate());
}

} // namespace lumbra
