// The displaced members in a document window of the host, on the EGL pbuffer: the frame drawn
// where the published displacements put its joints, coloured by the sign of the axial force or by
// the stress relative to the material's strength.
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ZintelHost.h"

#include "VornData/CalcResults.h"
#include "Zintel/BoundingBox.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/DrawObjects/DisplacedMembers.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/ShowTypeItem.h"

#include <gtest/gtest.h>

#include <map>

#include "plugins/VornPluginCalculator.h"

#include <string>
#include <vector>

namespace
{

using zintel::OpenGLView;

// Two members in the plane x = 0 facing the camera at (20, 0, 0), both displaced by +1 in z:
//   M1 J1 (0,-3,-2) - J2 (0,3,-2), shown at z = -1; M2 J3 (0,-3,2) - J4 (0,3,2), shown at z = 3.
// M1's material is green with a tensile strength of 2e8; the cross-sections are 1 x 1 (area 1).
class DisplacedMembersInWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ZintelHost& host = ZintelHost::instance();
        if (!host.noGl.empty() || host.info() == nullptr)
            return;
        model = new ModelDocument(host.document());
        VornCrossSection* box = host.squareSection(*model, 1.0);
        VornMaterial* material = model->materials->add();
        material->name.set(model->strings(), "Green");
        material->setColor(0x00FF00);
        model->addJoint("J1", 0, -3, -2);
        model->addJoint("J2", 0, 3, -2);
        model->addJoint("J3", 0, -3, 2);
        model->addJoint("J4", 0, 3, 2);
        for (const char* name : {"M1", "M2"})
        {
            VornMember* member = model->addMember(name, name[1] == '1' ? "J1" : "J3", name[1] == '1' ? "J2" : "J4");
            member->setCrossSection(box);
            member->setMaterial(material);
        }
        displacements = new BlockList<CalcDisplacement>("Displacements");
        model->joints->addChild(displacements);
        for (uint32_t index = 0; index < displacements->getCount(); ++index)
            (*displacements)[index].displacement = Vector3(0, 0, 1);
        forces = new BlockList<CalcNForce>("NForces");
        model->members->addChild(forces);
    }

    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr);
        OpenGLView& state = *host.info();
        state.povX = 20.0;
        state.xrayMode = 0;
        state.shadowsOn = false;
        state.detailLevel = zintel::Detail::Maximum;
        // Only the displaced layer of the test is shown.
        for (DrawObject* object = state.drawObjects; object != nullptr; object = object->next)
            object->enabled = 0;
    }

    void show(const std::string& name)
    {
        for (DrawObject* object = host.info()->drawObjects; object != nullptr; object = object->next)
            if (name == object->plugin->getName())
                object->enabled = 1;
        host.paint();
    }

    void setForce(const char* member, double axialForce)
    {
        (*forces)[BlockList<VornMember>::getIndex(model->named<VornMember>(member))].axialForce = axialForce;
    }

    uint32_t pixelAt(double y, double z) const
    {
        const platform::Point point = host.windowPointOf(0.0, y, z);
        return host.pixel(point.x, point.y);
    }

    static inline ModelDocument* model = nullptr;
    static inline BlockList<CalcDisplacement>* displacements = nullptr;
    static inline BlockList<CalcNForce>* forces = nullptr;
    ZintelHost& host = ZintelHost::instance();
};

int channel(uint32_t colour, int index)
{
    return (colour >> (8 * index)) & 0xFF;
}

TEST_F(DisplacedMembersInWindow, MembersAreDrawnWhereTheDisplacementsPutTheirJoints)
{
    model->named<VornMember>("M1")->setColor(0x00FF00);
    show("Displaced Members");
    EXPECT_EQ(pixelAt(0.0, -2.0), 0x808080u) << "nothing where the member stood";
    const uint32_t shown = pixelAt(0.0, -1.0);
    EXPECT_GT(channel(shown, 1), channel(shown, 0) + 40) << std::hex << shown << ": its own green, lit";
    model->named<VornMember>("M1")->setFlagBits(VornFlag::Frozen);
    host.paint();
    EXPECT_GT(channel(pixelAt(0.0, -1.0), 2), channel(pixelAt(0.0, -1.0), 0)) << "frozen: the view's frozen colour";
    model->named<VornMember>("M1")->clearFlagBits(VornFlag::Frozen);
    EXPECT_NE(pixelAt(0.0, 3.0), 0x808080u);
}

TEST_F(DisplacedMembersInWindow, ByStressTensionIsRedAndCompressionBlue)
{
    setForce("M1", 5.0);
    setForce("M2", -5.0);
    show("Displaced Members by Stress");
    const uint32_t tension = pixelAt(0.0, -1.0), compression = pixelAt(0.0, 3.0);
    EXPECT_GT(channel(tension, 0), channel(tension, 2) + 40) << std::hex << tension;
    EXPECT_GT(channel(compression, 2), channel(compression, 0) + 40) << std::hex << compression;
}

TEST_F(DisplacedMembersInWindow, ByRelativeStressBlendsTowardsTheTensionColourWithTheStress)
{
    VornMaterial* material = model->named<VornMember>("M1")->getMaterial();
    ASSERT_NE(material, nullptr);
    material->setTension(2e8);
    setForce("M2", 0.0);
    int previousGreen = 256;
    for (double force : {0.0, 1e8, 2e8})
    {
        setForce("M1", force);
        show("Displaced Members by Relative Stress");
        const uint32_t colour = pixelAt(0.0, -1.0);
        EXPECT_LT(channel(colour, 1), previousGreen) << std::hex << colour << " at " << force;
        previousGreen = channel(colour, 1);
    }
    EXPECT_LE(previousGreen, 30) << "the full tension colour at the strength";
}

zintel::PluginVOMIShowType* showTypeItem(zintel::PluginViewOpenGL& viewType, const std::string& name)
{
    for (VornPluginBase* plugin = viewType.menuItems; plugin != nullptr; plugin = plugin->getNext())
        if (name == plugin->getName())
            return dynamic_cast<zintel::PluginVOMIShowType*>(plugin);
    return nullptr;
}

TEST_F(DisplacedMembersInWindow, ShowTypeItemsSwitchOneLayerOfARingOnAndAnyOff)
{
    zintel::PluginViewOpenGL& viewType = *host.viewType;
    zintel::PluginVOMIShowType* byStress = showTypeItem(viewType, "Display Displaced Members by Stress");
    zintel::PluginVOMIShowType* byRelStress = showTypeItem(viewType, "Display Displaced Members by Rel.Stress");
    zintel::PluginVOMIShowType* grid = showTypeItem(viewType, "Display Grid default");
    ASSERT_NE(byStress, nullptr);
    ASSERT_NE(byRelStress, nullptr);
    ASSERT_NE(grid, nullptr);
    EXPECT_STREQ(byStress->getMenuPath(), "&View\\&Display\\Displaced Members\\by Stress");
    EXPECT_STREQ(grid->getMenuPath(), "&View\\&Display\\Grid") << "a display name of its own has no mode";

    const auto shown = [this](const std::string& name) {
        for (DrawObject* object = host.info()->drawObjects; object != nullptr; object = object->next)
            if (name == object->plugin->getName())
                return object->enabled != 0;
        return false;
    };
    show("Displaced Members by Relative Stress");
    byStress->execute(host.viewInterface());
    EXPECT_TRUE(shown("Displaced Members by Stress"));
    EXPECT_FALSE(shown("Displaced Members by Relative Stress")) << "one of a ring at a time";
    byStress->execute(host.viewInterface());
    EXPECT_FALSE(shown("Displaced Members by Stress")) << "and the ring may be all off";
    EXPECT_FALSE(shown("Displaced Members by Relative Stress"));
    grid->execute(host.viewInterface());
    EXPECT_TRUE(shown("Grid"));
    EXPECT_FALSE(shown("Displaced Members by Stress")) << "other layers are not touched";
}

// Whether a pixel within `radius` of the window point differs from the background.
bool drawnNear(const ZintelHost& host, platform::Point point, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (host.pixel(point.x + dx, point.y + dy) != 0x808080u)
                return true;
    return false;
}

TEST_F(DisplacedMembersInWindow, ThePivotOfTheActiveModifierIsMarkedAndCountsForZoomAllOnly)
{
    show("Modifier Pivot");
    const platform::Point onMarker = host.windowPointOf(0.0, 0.5, 0.0);
    EXPECT_FALSE(drawnNear(host, onMarker, 1)) << "no active modifier, no marker";
    VornModifier* modifier = model->modifiers->add();
    modifier->pivot = Vector3(0, 0, 0);
    MAI_Doc& document = *host.viewInterface()->document;
    document.setActiveModifier(modifier);
    host.paint();
    EXPECT_TRUE(drawnNear(host, host.windowPointOf(0.0, 0.5, 0.0), 1)) << "a line along +y from the pivot";
    EXPECT_FALSE(drawnNear(host, host.windowPointOf(0.0, -0.5, 0.0), 1)) << "and none along -y";
    for (DrawObject* object = host.info()->drawObjects; object != nullptr; object = object->next)
        if (std::string(object->plugin->getName()) == "Modifier Pivot")
        {
            zintel::BoundingBox all, selected;
            static_cast<zintel::OpenGLDrawObject*>(object)->addToBounds(&all, false);
            static_cast<zintel::OpenGLDrawObject*>(object)->addToBounds(&selected, true);
            EXPECT_FALSE(all.empty);
            EXPECT_TRUE(selected.empty);
        }
    document.setActiveModifier(nullptr);
}

TEST_F(DisplacedMembersInWindow, TheOrientationIndicatorKeepsItsCornerAndSizeWhereverTheCameraIs)
{
    show("Orientation Indicator");
    const OpenGLView& state = *host.info();
    const platform::Point corner{static_cast<int32_t>(0.1 * state.width),
                                 static_cast<int32_t>(state.height - 0.1 * state.height)};
    ASSERT_TRUE(drawnNear(host, corner, 2)) << "the tripod's centre at 10 % from the lower left";
    const auto footprint = [&] {
        int count = 0;
        for (int dy = -40; dy <= 40; ++dy)
            for (int dx = -40; dx <= 40; ++dx)
                count += host.pixel(corner.x + dx, corner.y + dy) != 0x808080u ? 1 : 0;
        return count;
    };
    const int near = footprint();
    host.info()->povX = 200.0;
    host.paint();
    EXPECT_TRUE(drawnNear(host, corner, 2));
    EXPECT_NEAR(footprint(), near, near / 10 + 4) << "the same size on the screen";
    EXPECT_FALSE(drawnNear(host, {state.width / 2, state.height / 2}, 3)) << "nothing elsewhere";
}

// A calculator that only records the requests for results.
class RecordingCalculator : public VornPluginCalculator
{
public:
    const char* getName() override { return "Recording"; }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return false; }
    int32_t getCalculationState(VornDocument*) override { return 0; }
    BlockListBase* getResults(MAI_Doc*, int32_t resultId, int32_t stamp) override
    {
        requests.push_back({resultId, stamp});
        return nullptr;
    }
    std::vector<std::pair<int32_t, int32_t>> requests;
};

TEST_F(DisplacedMembersInWindow, EachShownLayerAsksTheActiveCalculatorOncePerFrameUnlessXRayed)
{
    host.paint(); // no repaint left pending from earlier
    RecordingCalculator calculator;
    MAI_Doc& document = *host.viewInterface()->document;
    document.setActiveCalculator(&calculator);
    // How often each frame (stamp) asked, for the requests from `first` on; the window may paint
    // more than once after a change, each paint is one frame.
    const auto requestsPerFrame = [&](size_t first) {
        std::map<int32_t, int> perFrame;
        for (size_t index = first; index < calculator.requests.size(); ++index)
        {
            EXPECT_EQ(calculator.requests[index].first, 0) << "the joint displacements";
            ++perFrame[calculator.requests[index].second];
        }
        return perFrame;
    };
    show("Displaced Members by Stress");
    ASSERT_FALSE(calculator.requests.empty());
    for (const auto& [stamp, count] : requestsPerFrame(0))
        EXPECT_EQ(count, 1) << "frame " << stamp;
    const size_t before = calculator.requests.size();
    show("Displaced Members by Relative Stress");
    ASSERT_GT(calculator.requests.size(), before);
    for (const auto& [stamp, count] : requestsPerFrame(before))
        EXPECT_EQ(count, 2) << "one request per shown layer, with the frame's stamp";

    host.info()->xrayMode = zintel::XRay::Displacements;
    const size_t asked = calculator.requests.size();
    host.paint();
    EXPECT_EQ(calculator.requests.size(), asked) << "X-rayed displacements show what was published";
    EXPECT_NE(pixelAt(0.0, -1.0), 0x808080u) << "and are still drawn, blended";
    document.setActiveCalculator(nullptr);
}

} // namespace
