// Feeds arbitrary text to the DXF reader. Whatever the text, the reader answers a model whose
// members join two different joints that exist, at finite positions, with every joint used, or
// an error that names a line.

#include "Lumbra/ModelFiles/DxfReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lumbra::looksLikeDxf(text);
    const lumbra::DxfReading reading = lumbra::readDxf(text);
    if (!reading.ok)
    {
        if (reading.error.find("line ") == std::string::npos)
            std::abort();
        return 0;
    }
    const lumbra::ModelFragment& model = reading.drawing.model;
    std::vector<bool> used(model.joints.size(), false);
    for (const lumbra::MemberEnds& member : model.members)
    {
        if (member.start >= model.joints.size() || member.end >= model.joints.size() || member.start == member.end)
            std::abort();
        used[member.start] = used[member.end] = true;
    }
    for (size_t index = 0; index < model.joints.size(); ++index)
    {
        const Vector3& joint = model.joints[index];
        if (!used[index] || !std::isfinite(joint.x) || !std::isfinite(joint.y) || !std::isfinite(joint.z))
            std::abort();
    }
    lumbra::describeDxfDrawing(reading.drawing);
    return 0;
}
