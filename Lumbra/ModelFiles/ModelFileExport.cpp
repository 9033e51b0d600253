#include "Lumbra/ModelFiles/ModelFileExport.h"

#include "Lumbra/ModelFiles/ModelFileFormat.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "platform/Files.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"

#include <cmath>
#include <optional>

namespace lumbra
{

using namespace modelfile;

namespace
{

// Collects the file's lines and hands them to the file writer in large pieces.
class ModelWriter
{
public:
    explicit ModelWriter(VornDocument& document) : document(document) {}

    ModelWriteResult write(const std::string& path)
    {
        if (!file.open(path))
        {
            reason = file.reason();
            return ModelWriteResult::OpenFailed;
        }
        line(magicLine);
        line(versionLine);
        integer(currentVersion);
        ModelWriteResult result = ModelWriteResult::Written;
        auto written = [&result](ModelWriteResult sectionResult) {
            result = sectionResult;
            return result == ModelWriteResult::Written;
        };
        if (!written(writeSection<VornMaterial>(Section::Materials, &ModelWriter::material)) ||
            !written(writeSection<VornCrossSection>(Section::CrossSections, &ModelWriter::crossSection)) ||
            !written(writeSection<VornJoint>(Section::Joints, &ModelWriter::joint)) ||
            !written(writeSection<VornMember>(Section::Members, &ModelWriter::member)) ||
            !written(writeSection<VornForceDefinition>(Section::ForceDefinitions, &ModelWriter::forceDefinition)) ||
            !written(writeSection<VornForceInstance>(Section::ForceInstances, &ModelWriter::forceInstance)))
            return result;
        if (!flush() || !file.close())
        {
            reason = file.reason();
            return ModelWriteResult::WriteFailed;
        }
        return ModelWriteResult::Written;
    }

    // Why the writing failed.
    std::string reason;

private:
    static constexpr std::size_t flushSize = 1 << 20;

    template <class Element>
    BlockList<Element>* listOf(Section section) const
    {
        return dynamic_cast<BlockList<Element>*>(document.getBlockList(listNameOf(section)));
    }

    // The element's position in the document's list of that section; -1 for none, for an element
    // that has left its list or lives in another one.
    template <class Element>
    int64_t indexIn(Section section, const Element* element) const
    {
        if (element == nullptr || element->isRemoved() || element->isOutsideBlockLists())
            return -1;
        BlockList<Element>* list = listOf<Element>(section);
        if (list == nullptr || ownListOf(element) != list)
            return -1;
        return BlockList<Element>::getIndex(element);
    }

    template <class Element>
    ModelWriteResult writeSection(Section section, void (ModelWriter::*writeRecord)(Element&))
    {
        line(headerOf(section));
        BlockList<Element>* list = listOf<Element>(section);
        const uint32_t count = list != nullptr ? list->getCount() : 0;
        integer(count);
        for (uint32_t index = 0; index < count; ++index)
        {
            Element& element = (*list)[index];
            const char* name = element.name.getString();
            if (!isWritableName(name))
                return ModelWriteResult::UnwritableName;
            line(name);
            integer(element.colorAndFlags & keptWordBits);
            (this->*writeRecord)(element);
            if (nonFiniteValue.has_value())
            {
                reason = "\"" + std::string(name) + "\" holds a value that is not a finite number (" +
                    nonFiniteText(*nonFiniteValue) + "), which could not be read back.";
                return ModelWriteResult::NonFiniteValue;
            }
            // A failed write is remembered by the file and reported when it is closed.
            if (out.size() >= flushSize)
                flush();
        }
        return ModelWriteResult::Written;
    }

    static std::string nonFiniteText(double value)
    {
        if (std::isnan(value))
            return "nan";
        return value < 0 ? "-inf" : "inf";
    }

    void material(VornMaterial& material)
    {
        real(material.getDensity());
        real(material.getElasticity());
        real(material.getParameter3());
        real(material.getTension());
        real(material.getCompression());
    }

    void crossSection(VornCrossSection& section)
    {
        real(section.getArea());
        real(section.getIx());
        real(section.getIy());
        real(section.getIxy());
        real(section.getJ());
        // A section without a shape (no Shape plugin was loaded) has an empty shape line.
        VornPluginShape* shape = section.shape;
        line(shape != nullptr && shape->getName() != nullptr ? shape->getName() : "");
        if (shape == nullptr)
            return;
        const int32_t count = shape->getParameterCount();
        for (int32_t index = 0; index < count; ++index)
        {
            if (shape->isBooleanParameter(index))
                line(shape->getBoolParameter(index, &section) ? "1" : "0");
            else
                real(shape->getDoubleParameter(index, &section));
        }
    }

    void joint(VornJoint& joint)
    {
        const Vector3& position = joint.getPosition();
        real(position.getX());
        real(position.getY());
        real(position.getZ());
        integer(joint.supportFlags);
    }

    void member(VornMember& member)
    {
        integer(indexIn(Section::Joints, member.getStartJoint()));
        integer(indexIn(Section::Joints, member.getEndJoint()));
        integer(indexIn(Section::Materials, member.getMaterial()));
        integer(indexIn(Section::CrossSections, member.getCrossSection()));
        real(member.getLength());
        real(member.getAngle());
    }

    void forceDefinition(VornForceDefinition& definition)
    {
        const Vector3& vector = definition.getVector();
        real(vector.getX());
        real(vector.getY());
        real(vector.getZ());
    }

    void forceInstance(VornForceInstance& force)
    {
        integer(indexIn(Section::ForceDefinitions, force.getForceDefinition()));
        integer(indexIn(Section::Joints, force.getJoint()));
    }

    // Every line ends in CR LF.
    void line(const char* text)
    {
        out += text;
        out += "\r\n";
    }
    void integer(int64_t value)
    {
        appendInteger(out, value);
        out += "\r\n";
    }
    // The reader takes finite numbers only: the first other value stops the writing.
    void real(double value)
    {
        if (!std::isfinite(value) && !nonFiniteValue.has_value())
            nonFiniteValue = value;
        appendReal(out, value);
        out += "\r\n";
    }

    bool flush()
    {
        const bool written = file.writeText(out);
        out.clear();
        return written;
    }

    VornDocument& document;
    platform::FileWriter file;
    std::string out;
    std::optional<double> nonFiniteValue;
};

} // namespace

ModelWriteResult writeModelFile(VornDocument& document, const std::string& path, std::string* reason)
{
    ModelWriter writer(document);
    const ModelWriteResult result = writer.write(path);
    if (reason != nullptr)
        *reason = writer.reason;
    return result;
}

PluginFileExportTempFormat::PluginFileExportTempFormat()
    : TempFormatPlugin("TempFormat Exporter", "PluginFileExportTempFormat Error")
{
}

bool PluginFileExportTempFormat::canExport()
{
    return true;
}

bool PluginFileExportTempFormat::exportFile(const char* path)
{
    if (path == nullptr || mai == nullptr || mai->activeDocument == nullptr)
        return false;
    std::string reason;
    switch (writeModelFile(mai->activeDocument->document, path, &reason))
    {
    case ModelWriteResult::Written:
        return true;
    case ModelWriteResult::OpenFailed:
        showError(std::string("Unable to open file \"") + path + "\"\n" + reason);
        return false;
    case ModelWriteResult::WriteFailed:
    case ModelWriteResult::NonFiniteValue:
        showError(std::string("Unable to write file \"") + path + "\"\n" + reason);
        return false;
    case ModelWriteResult::UnwritableName:
        showError(std::string("Unable to write file \"") + path +
                  "\"\nA name holds a line break or is too long to be read back.\n");
        return false;
    }
    return false;
}

} // namespace lumbra
