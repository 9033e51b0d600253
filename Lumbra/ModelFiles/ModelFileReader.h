#pragma once

// Reads a model file into plain records, checking every line, before anything touches a document:
// an import commits only a file that was read whole. Links between records stay indices into the
// file's sections, checked to lie inside them (-1: none).

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class VornPluginShape;

namespace lumbra::modelfile
{

struct NamedRecord
{
    std::string name;
    uint32_t word = 0; // colour and kept flag bits
};

struct MaterialRecord : NamedRecord
{
    double density = 0;
    double elasticity = 0;
    double parameter3 = 0;
    // Not in version 0 files: the material keeps its defaults then.
    bool hasStrengths = false;
    double tension = 0;
    double compression = 0;
};

struct CrossSectionRecord : NamedRecord
{
    double area = 0;
    double ix = 0;
    double iy = 0;
    // Not in version 0 files, nor are the parameters.
    bool hasAllValues = false;
    double ixy = 0;
    double j = 0;
    VornPluginShape* shape = nullptr; // null: the section has no shape
    // One per shape parameter; a flag parameter as 1 or 0.
    std::vector<double> parameters;
};

struct JointRecord : NamedRecord
{
    double x = 0;
    double y = 0;
    double z = 0;
    uint8_t support = 0;
};

struct MemberRecord : NamedRecord
{
    int32_t startJoint = -1;
    int32_t endJoint = -1;
    int32_t material = -1;
    int32_t crossSection = -1;
    double length = 0;
    double angle = 0;
};

struct ForceDefinitionRecord : NamedRecord
{
    double x = 0;
    double y = 0;
    double z = 0;
};

struct ForceInstanceRecord : NamedRecord
{
    int32_t definition = -1;
    int32_t joint = -1;
};

struct ModelFileContent
{
    int32_t version = 0;
    std::vector<MaterialRecord> materials;
    std::vector<CrossSectionRecord> crossSections;
    std::vector<JointRecord> joints;
    std::vector<MemberRecord> members;
    std::vector<ForceDefinitionRecord> forceDefinitions;
    std::vector<ForceInstanceRecord> forceInstances;
};

// Why a file was refused: the message for the user, naming the file and, where a line is at
// fault, its number.
struct ModelFileError
{
    // How far the reading got: errors of the file's opening and of its first line come before the
    // question whether there is a document to read into.
    enum class Stage
    {
        Open,
        Magic,
        Content
    };
    Stage stage = Stage::Content;
    std::string message;
};

// The whole file, or the first fault in it. Shapes are found by name among `shapes`, in order.
std::variant<ModelFileContent, ModelFileError> readModelFile(const std::string& path,
                                                             const std::vector<VornPluginShape*>& shapes);

// Whether the file can be opened and its first line is the magic.
bool hasModelFileMagic(const std::string& path);

} // namespace lumbra::modelfile
