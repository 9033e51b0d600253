#include "Lumbra/LumbraPlugins.h"

#include "Lumbra/CalculationMenuItems.h"
#include "Lumbra/Calculators/CalculationSetupDialog.h"
#include "Lumbra/Calculators/IteratorCalculators.h"
#include "Lumbra/Console/CreatePage.h"
#include "Lumbra/Console/EditPage.h"
#include "Lumbra/Console/MainConsole.h"
#include "Lumbra/Console/PropertyListDialog.h"
#include "Lumbra/Console/SectionListPage.h"
#include "Lumbra/Console/SelectPropertyDialog.h"
#include "Lumbra/Console/ViewPage.h"
#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/Creators/ForceCreator.h"
#include "Lumbra/Creators/JointCreator.h"
#include "Lumbra/Creators/MemberCreator.h"
#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/EditMenuItems.h"
#include "Lumbra/GroupMenuItems.h"
#include "Lumbra/JointPropertyToggles.h"
#include "Lumbra/LumbraWindows.h"
#include "Lumbra/ModelFiles/ModelFileExport.h"
#include "Lumbra/ModelFiles/ModelFileImport.h"
#include "Lumbra/ModelFiles/PluginFileImportDXF.h"
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "Lumbra/Perspective/DevStatusView.h"
#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "Lumbra/PropertyObjectTypes.h"
#include "Lumbra/SectionPages/MaterialPages.h"
#include "Lumbra/ToolbarPlugins.h"

#include "plugins/PluginLibraryApplication.h"
#include "plugins/VornPluginObjectType.h"

namespace lumbra
{

namespace
{

constexpr uint32_t rotateIndex = 28;
constexpr uint32_t moveIndex = 29;

} // namespace

const std::array<PluginTableEntry, 48> pluginTable = {{
    {"Dialog", "Main Console", makeTablePlugin<PluginMainConsoleDialog>},
    {"Main Console Page", "View Page", makeTablePlugin<PluginMCPageView>},
    {"Main Console Page", "CrossSections Page", makeCrossSectionsPage},
    {"Main Console Page", "Materials Page", makeMaterialsPage},
    {"Main Console Page", "Edit Page", makeTablePlugin<PluginMCPageEdit>},
    {"Main Console Page", "Create Page", makeTablePlugin<PluginMCPageCreate>},
    {"Object Creator", "Force Creator", makeTablePlugin<PluginCreatorForce>},
    {"Object Creator", "Member Creator", makeTablePlugin<PluginCreatorMember>},
    {"Object Creator", "Joint Creator", makeTablePlugin<PluginCreatorJoint>},
    {"ObjectType", "ObjectType CrossSection", makeTablePlugin<PluginObjectTypeCrossSection>},
    {"ObjectType", "ObjectType Material", makeTablePlugin<PluginObjectTypeMaterial>},
    {"ObjectType", "ObjectType Modifier", makeTablePlugin<PluginObjectTypeModifier>},
    {"View Base", "Perspective", makeTablePlugin<PluginViewPerspective>},
    {"View Base", "DevStatus", makeTablePlugin<PluginViewDevStatus>},
    {"Toolbar", "Main Options", makeTablePlugin<PluginToolbarMainOptions>},
    {"Toolbar", "Snap Options", makeTablePlugin<PluginToolbarSnapOptions>},
    {"Toolbar", "Zoom Options", makeTablePlugin<PluginToolbarZoomOptions>},
    {"Toolbar", "View Options", makeTablePlugin<PluginToolbarViewOptions>},
    {"Toolbar", "Joint Properties", makeTablePlugin<PluginToolbarJointProperties>},
    {"Standard MenuItem", "Close Group", makeTablePlugin<PluginMenuItemGroupClose>},
    {"Standard MenuItem", "Open Group", makeTablePlugin<PluginMenuItemGroupOpen>},
    {"Standard MenuItem", "Create Group", makeTablePlugin<PluginMenuItemGroupCreate>},
    {"Standard MenuItem", "Delete", makeTablePlugin<PluginMenuItemDelete>},
    {"Standard MenuItem", "Freeze", makeTablePlugin<PluginMenuItemFreeze>},
    {"Standard MenuItem", "Hide", makeTablePlugin<PluginMenuItemHide>},
    {"Standard MenuItem", "Reset Calculation", makeTablePlugin<PluginMenuItemResetCalculation>},
    {"Standard MenuItem", "Calculate", makeTablePlugin<PluginMenuItemCalculate>},
    {"Object Modifier", "Scale", makeTablePlugin<PluginModifierScale>},
    {"Object Modifier", "Rotate", makeTablePlugin<PluginModifierRotate>},
    {"Object Modifier", "Move", makeTablePlugin<PluginModifierMove>},
    {"Dialog", "Select Material Dialog", makeSelectMaterialDialog},
    {"Dialog", "Select CrossSection Dialog", makeSelectCrossSectionDialog},
    {"Dialog", "Calculation Setup Dialog", makeTablePlugin<PluginCalculationSetupDialog>},
    {"Dialog", "PropertyList Dialog", makePropertyListDialog},
    {"Calculator", "Full Iterator", makeTablePlugin<PluginCalculatorFullIterator>},
    {"Calculator", "Velocity Iterator", makeTablePlugin<PluginCalculatorVelocityIterator>},
    {"Calculator", "Basic Iterator", makeTablePlugin<PluginCalculatorBasicIterator>},
    {"Calculator", "Auto Basic Iterator", makeTablePlugin<PluginCalculatorAutoBasicIterator>},
    {"Shape", "HBeam", makeTablePlugin<PluginShapeHBeam>},
    {"Shape", "Rectangle", makeTablePlugin<PluginShapeRectangle>},
    {"Shape", "Tube", makeTablePlugin<PluginShapeTube>},
    {"File Import", "TempFormat", makeTablePlugin<PluginFileImportTempFormat>},
    {"File Import", "Drawing Exchange Format", makeTablePlugin<PluginFileImportDXF>},
    {"File Export", "TempFormat", makeTablePlugin<PluginFileExportTempFormat>},
    {"Standard MenuItem", "Reset Active MenuItem", makeTablePlugin<PluginMenuItemResetActive>},
    {"Standard MenuItem", "Toggle Block Rotation", makeTablePlugin<PluginMenuItemToggleBlockRotation>},
    {"Standard MenuItem", "Toggle Block Translation", makeTablePlugin<PluginMenuItemToggleBlockTranslation>},
    {"Standard MenuItem", "Toggle Rigid Joint", makeTablePlugin<PluginMenuItemToggleRigidJoint>},
}};

// The main console (101) and the pages, pagettes and dialogs made from this library's resources.
const std::array<PluginWindowTableEntry, 34> windowTable = {{
    {101, nullptr}, // CMainConsole: made around the plugin's own dialog object
    {108, nullptr}, // CMCPageCreate: made around the plugin's own dialog object
    {109, nullptr}, // CMCPageMaterials: made around the plugin's own dialog object
    {123, nullptr}, // CPageJointCoordinates
    {126, nullptr}, // CPageNameAndColor
    {127, nullptr}, // CPageCreateButton
    {128, nullptr}, // CPageJointOrientation
    {129, nullptr}, // CPageJointSupport
    {130, nullptr}, // CMCPageView: made around the plugin's own dialog object
    {131, nullptr}, // CViewPagePerspective
    {132, nullptr}, // CViewPageDevStatus: made around the plugin's own dialog object
    {133, nullptr}, // CViewPerspectivePagetteSetup
    {134, makeOwnDialog},   // CPageMemberJoints
    {135, nullptr}, // CMCPageEdit: made around the plugin's own dialog object
    {136, nullptr}, // CPageEditStaticSelection: made around the plugin's own dialog object
    {137, makeLumbraDialog<CDialogCreateGroup>},
    {138, nullptr}, // CPageEditStaticSelected: made around the plugin's own dialog object
    {139, nullptr}, // CPageEditStaticModifiers: made around the plugin's own dialog object
    {140, nullptr}, // CPageEditStaticHistory
    {141, nullptr}, // CPageEditJointCoordinates
    {142, makeOwnDialog},   // CPageEditMemberJoints
    {143, nullptr}, // CPageEditJointSupport
    {144, makeLumbraDialog<CPageMaterialProperties>},
    {145, nullptr}, // CViewPerspectivePagetteShowHide
    {146, nullptr}, // CViewPerspectivePagetteColors
    {147, nullptr}, // CDialogSelectMaterial: made around the plugin's own dialog object
    {148, nullptr}, // CMCPageCrossSections: made around the plugin's own dialog object
    {155, makeOwnDialog},   // CDialogCalculationSetup
    {156, makeOwnDialog},   // CPageCalcSetupBasicIterator
    {169, makeOwnDialog},   // CPageCalcSetupAutoBasicIterator
    {170, makeOwnDialog},   // CPageCalcSetupVelocityIterator
    {172, nullptr}, // CPageForceSettings
    {173, nullptr}, // CPageEditForceSettings
    {175, makeOwnDialog},   // CPageCalcSetupFullIterator
}};

VornPlugin* createPlugin(uint32_t index)
{
    VornPlugin* plugin = createTablePlugin(pluginTable, index);
    // Rotate and Move join the ring of the Scale made before them (while it lives).
    if ((index == rotateIndex || index == moveIndex) && PluginModifierScale::instance != nullptr)
        if (auto* modifier = dynamic_cast<VornPluginObjectModifier*>(plugin))
            modifier->linkModifier(PluginModifierScale::instance);
    return plugin;
}

PluginLibraryApplication& application()
{
    static PluginLibraryApplication lumbraApplication("Lumbra.dll", true);
    return lumbraApplication;
}

} // namespace lumbra
