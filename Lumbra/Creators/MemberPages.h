#pragma once

// The window of the member creator's Joints pagette (dialog 134): a start block above an end
// block, each with a name, a colour and x, y, z. It shows its model and hands the user's typing,
// spins and colour choices to it.

#include "Lumbra/Creators/CreationPages.h"
#include "Lumbra/Creators/MemberModels.h"

#include <array>
#include <memory>

namespace lumbra
{

class CPageMemberJoints : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 134;
    static constexpr int32_t frameId = 1056;
    // Where the frame draws the line between the two blocks, in pixels from its top.
    static constexpr int32_t blockSeparator = 126;

    // The controls of one block.
    struct BlockIds
    {
        int32_t nameId;
        int32_t colourId;
        std::array<int32_t, 3> editIds;
        std::array<int32_t, 3> spinnerIds;
    };
    static constexpr BlockIds startIds = {1067, 1068, {1014, 1063, 1016}, {1064, 1065, 1066}};
    static constexpr BlockIds endIds = {1073, 1074, {1015, 1069, 1017}, {1070, 1071, 1072}};

    CPageMemberJoints(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageMemberJoints() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();

    // Spin links of the six coordinate rows: rows 0 to 2 the start block, 3 to 5 the end block.
    void beginSpin(int32_t row);
    void spun(int32_t row);

    CPagetteButton frame;
    CColorButton startColour;
    CColorButton endColour;
    MemberJointsModel& model;

private:
    MemberEndFields& fieldsOfRow(int32_t row);
    void showBlock(const BlockIds& ids, const MemberEndFields& fields);

    bool showing = false;
    std::array<std::unique_ptr<PageRowLink<CPageMemberJoints>>, 6> links;
    std::array<std::unique_ptr<CDoubleSpinner>, 6> spinners;
};

// Registers the window's dialog template with the library.
void registerMemberJointsTemplate();

} // namespace lumbra
