#include "Lumbra/ModelFiles/ModelFileReader.h"

#include "BlockLists/BlockMemory.h"
#include "Lumbra/ModelFiles/ModelFileFormat.h"
#include "platform/Files.h"
#include "plugins/VornPluginObjectType.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

namespace lumbra::modelfile
{

namespace
{

// Reads the file line by line, counting lines; every fault ends the reading with its message.
class Parser
{
public:
    Parser(const std::string& path, const std::vector<VornPluginShape*>& shapes) : path(path), shapes(shapes) {}

    ModelFileContent read()
    {
        if (!file.open(path))
            throw ModelFileError{ModelFileError::Stage::Open, "Failed to open file \"" + path + "\""};
        std::error_code unknownSize;
        fileBytes = std::filesystem::file_size(path, unknownSize);
        if (unknownSize)
            fileBytes = 0;
        if (!nextLine() || line != magicLine)
            throw ModelFileError{ModelFileError::Stage::Magic, "Error in file \"" + path + "\"\nLine 1"};
        readHeader();
        readSections();
        return std::move(content);
    }

private:
    bool nextLine()
    {
        if (!file.readLine(line))
            return false;
        ++lineNumber;
        return true;
    }

    [[noreturn]] void failAtLine(const std::string& message) const
    {
        throw ModelFileError{ModelFileError::Stage::Content, message + "\nLine " + std::to_string(lineNumber)};
    }
    // A line that should follow is not there: the fault lies at the line after the last one.
    [[noreturn]] void failMissing(const std::string& message)
    {
        ++lineNumber;
        failAtLine(message);
    }
    [[noreturn]] void failValue() const { failAtLine("Invalid value in\nfile\"" + path + "\""); }

    std::string inFile() const { return " in\nfile\"" + path + "\""; }

    void readHeader()
    {
        if (!nextLine())
            failMissing("Incomplete header" + inFile() + "\nCan't locate \"VERSION\" or \"MATERIALS\" tag");
        if (line == versionLine)
        {
            if (!nextLine())
                failMissing("Can't read version number" + inFile());
            if (readLeadingInteger(line) != currentVersion)
                failAtLine("Unsupported version number (" + line + ")" + inFile() +
                           "\nFile is either corrupted\nor created by an upgraded version of Quorl2");
            content.version = currentVersion;
            if (!nextLine())
                failMissing("Unexpected end of\nfile\"" + path + "\"");
        }
        else
            content.version = 0;
        expectHeaderInHand(Section::Materials);
    }

    void expectHeaderInHand(Section section) const
    {
        if (line != headerOf(section))
            failAtLine(std::string("Can't locate \"") + headerOf(section) + "\"-Header" + inFile());
    }

    void expectHeader(Section section)
    {
        if (!nextLine())
        {
            ++lineNumber;
            line.clear();
        }
        expectHeaderInHand(section);
    }

    void readSections()
    {
        readRecords(content.materials, &Parser::readMaterial);
        expectHeader(Section::CrossSections);
        readRecords(content.crossSections, &Parser::readCrossSection);
        expectHeader(Section::Joints);
        readRecords(content.joints, &Parser::readJoint);
        expectHeader(Section::Members);
        readRecords(content.members, &Parser::readMember);
        if (content.version == 0)
            return;
        expectHeader(Section::ForceDefinitions);
        readRecords(content.forceDefinitions, &Parser::readForceDefinition);
        expectHeader(Section::ForceInstances);
        readRecords(content.forceInstances, &Parser::readForceInstance);
    }

    template <class Record>
    void readRecords(std::vector<Record>& records, void (Parser::*readRecord)(Record&))
    {
        const uint64_t count = readUnsignedLine(std::numeric_limits<uint32_t>::max());
        // Room for the records at once, but never more than the file can hold: a record takes at
        // least eight bytes (its name, its word and a value), whatever a corrupt count says.
        records.reserve(static_cast<std::size_t>(std::min<uint64_t>(count, fileBytes / 8)));
        adviseHugePages(records.data(), records.capacity() * sizeof(Record));
        for (uint64_t index = 0; index < count; ++index)
        {
            Record& record = records.emplace_back();
            readNamed(record);
            (this->*readRecord)(record);
        }
    }

    // The next line, which must be there.
    const std::string& take()
    {
        if (!nextLine())
            failMissing("Unexpected End Of File in file\"" + path + "\"");
        return line;
    }

    void readNamed(NamedRecord& record)
    {
        take();
        if (line.size() > maximumNameLength)
            failAtLine("Name too long" + inFile());
        record.name = line;
        record.word = static_cast<uint32_t>(readUnsignedLine(std::numeric_limits<uint32_t>::max())) & keptWordBits;
    }

    double readRealLine()
    {
        const std::optional<double> value = readReal(take());
        if (!value)
            failValue();
        return *value;
    }

    uint64_t readUnsignedLine(uint64_t largest)
    {
        const std::optional<uint64_t> value = readUnsigned(take(), largest);
        if (!value)
            failValue();
        return *value;
    }

    // An index into a section of `size` records already read, or -1.
    int32_t readIndexLine(std::size_t size)
    {
        const std::optional<int64_t> value = readInteger(take());
        if (!value || *value < -1 || *value >= static_cast<int64_t>(size))
            failValue();
        return static_cast<int32_t>(*value);
    }

    void readMaterial(MaterialRecord& record)
    {
        record.density = readRealLine();
        record.elasticity = readRealLine();
        record.parameter3 = readRealLine();
        record.hasStrengths = content.version >= 1;
        if (!record.hasStrengths)
            return;
        record.tension = readRealLine();
        record.compression = readRealLine();
    }

    void readCrossSection(CrossSectionRecord& record)
    {
        record.area = readRealLine();
        record.ix = readRealLine();
        record.iy = readRealLine();
        record.hasAllValues = content.version >= 1;
        if (record.hasAllValues)
        {
            record.ixy = readRealLine();
            record.j = readRealLine();
        }
        take();
        // A section written without a shape has an empty shape line.
        if (line.empty())
            return;
        for (VornPluginShape* shape : shapes)
            if (shape->getName() != nullptr && line == shape->getName())
                record.shape = shape;
        if (record.shape == nullptr)
            failAtLine("Unknown shape: \"" + line + inFile());
        if (content.version == 0)
            return;
        const int32_t count = record.shape->getParameterCount();
        for (int32_t index = 0; index < count; ++index)
        {
            if (record.shape->isBooleanParameter(index))
            {
                const std::optional<int64_t> flag = readInteger(take());
                if (!flag)
                    failValue();
                record.parameters.push_back(*flag != 0 ? 1.0 : 0.0);
                continue;
            }
            // The shapes keep their parameters in single precision.
            const double value = readRealLine();
            if (!std::isfinite(static_cast<float>(value)))
                failValue();
            record.parameters.push_back(value);
        }
    }

    void readJoint(JointRecord& record)
    {
        record.x = readRealLine();
        record.y = readRealLine();
        record.z = readRealLine();
        record.support = static_cast<uint8_t>(readUnsignedLine(255));
    }

    void readMember(MemberRecord& record)
    {
        record.startJoint = readIndexLine(content.joints.size());
        record.endJoint = readIndexLine(content.joints.size());
        record.material = readIndexLine(content.materials.size());
        record.crossSection = readIndexLine(content.crossSections.size());
        record.length = readRealLine();
        record.angle = readRealLine();
    }

    void readForceDefinition(ForceDefinitionRecord& record)
    {
        record.x = readRealLine();
        record.y = readRealLine();
        record.z = readRealLine();
    }

    void readForceInstance(ForceInstanceRecord& record)
    {
        record.definition = readIndexLine(content.forceDefinitions.size());
        record.joint = readIndexLine(content.joints.size());
    }

    const std::string& path;
    const std::vector<VornPluginShape*>& shapes;
    platform::TextFileReader file;
    std::string line;
    uint64_t lineNumber = 0;
    uint64_t fileBytes = 0;
    ModelFileContent content;
};

} // namespace

std::variant<ModelFileContent, ModelFileError> readModelFile(const std::string& path,
                                                             const std::vector<VornPluginShape*>& shapes)
{
    try
    {
        return Parser(path, shapes).read();
    }
    catch (ModelFileError& error)
    {
        return std::move(error);
    }
}

bool hasModelFileMagic(const std::string& path)
{
    platform::TextFileReader file;
    std::string first;
    return file.open(path) && file.readLine(first) && first == magicLine;
}

} // namespace lumbra::modelfile
