// Number text and the property descriptors the property list shows.

#include "tests/core/ModelFixture.h"

#include <cmath>
#include <limits>

#include "VornData/CalcResults.h"
#include "VornData/NumberText.h"
#include "VornData/PropertyDescriptor.h"

TEST(NumberText, FormatsLikeThePropertyList)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double value;
        int digits;
        const char* text;
    } cases[] = {
        {1234.5, 6, " 1.23450e3"},
        {1.5, 6, " 1.50000"},
        {-0.002, 6, "-2.00000e-3"},
        {0.0, 6, " 0.00000"},
        {100, 6, " 1.00000e2"},
        {0.5, 6, " 5.00000e-1"},
        {9.9999996, 6, " 1.00000e1"},
        {-1e-300, 6, "-1.00000e-300"},
        {7, 1, " 7."},
        {std::nan(""), 6, "nan"},
        {inf, 6, "inf"},
        {-inf, 6, "-inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatDouble(c.value, c.digits), c.text) << c.value;
}

namespace
{
// The descriptor of that name registered for the type, or null.
PropertyDescriptor* descriptor(ObjectType type, const char* name)
{
    for (PropertyDescriptor* d = getTypeIDManager()->getFirstProperty(objectTypeID(type)); d; d = d->getNext())
        if (std::strcmp(d->getName(), name) == 0)
            return d;
    return nullptr;
}

void registerAllProperties()
{
    installModelServices();
    registerBaseObjectProperties();
    registerVertexProperties();
    registerJointProperties();
    registerMemberProperties();
}

std::vector<std::string> chain(ObjectType type)
{
    std::vector<std::string> names;
    for (PropertyDescriptor* d = getTypeIDManager()->getFirstProperty(objectTypeID(type)); d; d = d->getNext())
        names.push_back(d->getName());
    return names;
}
} // namespace

TEST(PropertyDescriptors, RegisterOnceInTheirOrder)
{
    registerAllProperties();
    registerAllProperties();
    using Names = std::vector<std::string>;
    EXPECT_EQ(chain(ObjectType::BaseObject), (Names{"Name", "Color"}));
    EXPECT_EQ(chain(ObjectType::Vertex),
              (Names{"X Creation Coordinate", "Y Creation Coordinate", "Z Creation Coordinate"}));
    EXPECT_EQ(chain(ObjectType::Joint), (Names{"X Displacement", "Y Displacement", "Z Displacement"}));
    EXPECT_EQ(chain(ObjectType::Member), (Names{"Normal Stress", "Normal Force"}));
    EXPECT_EQ(getTypeIDManager()->getPropertyCount(objectTypeID(ObjectType::BaseObject)), 2);
}

TEST_F(SharedModel, DescriptorTextsForTypicalNanAndInfiniteValues)
{
    registerAllProperties();
    VornJoint* j2 = model.named<VornJoint>("J2");
    j2->setColor(0x00FF00);
    PropertyDescriptor* name = descriptor(ObjectType::BaseObject, "Name");
    PropertyDescriptor* color = descriptor(ObjectType::BaseObject, "Color");
    PropertyDescriptor* x = descriptor(ObjectType::Vertex, "X Creation Coordinate");
    PropertyDescriptor* y = descriptor(ObjectType::Vertex, "Y Creation Coordinate");
    PropertyDescriptor* z = descriptor(ObjectType::Vertex, "Z Creation Coordinate");
    ASSERT_TRUE(name && color && x && y && z);

    EXPECT_EQ(name->getValueText(j2), "J2");
    EXPECT_EQ(name->getBackgroundColor(j2), 0xFFFFFFu);
    EXPECT_FALSE(color->getValueText(j2).has_value());
    EXPECT_FALSE(color->getSecondaryText(j2).has_value());
    EXPECT_EQ(color->getBackgroundColor(j2), 0x00FF00u);
    EXPECT_EQ(x->getValueText(j2), " 3.00000");
    EXPECT_EQ(y->getValueText(j2), " 4.00000");
    EXPECT_EQ(x->getSecondaryText(j2), "J2");

    j2->getCreationCoordinate().set(std::nan(""), std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity());
    EXPECT_EQ(x->getValueText(j2), "nan");
    EXPECT_EQ(y->getValueText(j2), "inf");
    EXPECT_EQ(z->getValueText(j2), "-inf");
}

TEST_F(SharedModel, ResultDescriptorsReadTheCalculatorListsOrShowNotAvailable)
{
    registerAllProperties();
    VornJoint* j2 = model.named<VornJoint>("J2");
    VornMember* m2 = model.named<VornMember>("M2");
    PropertyDescriptor* displacement = descriptor(ObjectType::Joint, "Y Displacement");
    PropertyDescriptor* force = descriptor(ObjectType::Member, "Normal Force");
    PropertyDescriptor* stress = descriptor(ObjectType::Member, "Normal Stress");
    ASSERT_TRUE(displacement && force && stress);
    EXPECT_EQ(displacement->getValueText(j2), "n.a.");
    EXPECT_EQ(force->getValueText(m2), "n.a.");
    EXPECT_FALSE(force->getSecondaryText(m2).has_value());
    EXPECT_EQ(force->getBackgroundColor(m2), 0xC0C0C0u);

    auto displacements = std::make_unique<BlockList<CalcDisplacement>>("Displacements");
    model.joints->addChild(displacements.get());
    (*displacements)[BlockList<VornJoint>::getIndex(j2)].displacement.set(0, -0.0125, 0);
    auto forces = std::make_unique<BlockList<CalcNForce>>("NForces");
    model.members->addChild(forces.get());
    (*forces)[BlockList<VornMember>::getIndex(m2)].axialForce = 1234.5;

    EXPECT_EQ(displacement->getValueText(j2), "-1.25000e-2");
    EXPECT_EQ(force->getValueText(m2), " 1.23450e3");
    EXPECT_EQ(stress->getValueText(m2), " 1.23450e5"); // times the inverse area 100
}

TEST(PropertyDescriptors, SetValueTextOnlyReportsTheFailure)
{
    ModelDocument model;
    registerAllProperties();
    VornJoint* joint = model.addJoint("Joint12345678901234", 1, 2, 3);
    PropertyDescriptor* x = descriptor(ObjectType::Vertex, "X Creation Coordinate");
    std::string message, objectName;
    x->setValueText(joint, "0123456789", message, objectName);
    EXPECT_EQ(message, "Failed to set property \"X Creation Coordinate\" to value \"0123456789\".");
    EXPECT_EQ(objectName, "Joint12345678901234");
    EXPECT_EQ(joint->getCreationCoordinate().x, 1.0);

    const std::string longText(2000, 'x');
    x->setValueText(joint, longText.c_str(), message, objectName);
    EXPECT_LE(message.size(), 990u);
    EXPECT_EQ(message.substr(message.size() - 3), "...");
    EXPECT_NE(message.find("\"\nto value \""), std::string::npos);
    EXPECT_EQ(composeSetValueFailure(std::string(2000, 'n').c_str(), "v").size() <= 990, true);
}
