#include "Lumbra/ModelFiles/DxfReader.h"

#include "Lumbra/ModelFiles/TolerantPointIndex.h"
#include "VornData/TextCompare.h"

#include <charconv>
#include <cmath>
#include <unordered_map>

namespace lumbra
{

namespace
{

constexpr std::string_view binarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr int32_t commentCode = 999;
// Longer entity names are cut in the message.
constexpr size_t longestEntityName = 40;
// More kinds of entities left out are summed up in the message.
constexpr size_t mostEntityKindsListed = 12;

// Stops the reading; the text names the line.
struct ReadFailure
{
    std::string text;
};

[[noreturn]] void failAt(const std::string& text, size_t line)
{
    throw ReadFailure{text + "\n(line " + std::to_string(line) + ")"};
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isKeyword(std::string_view value, std::string_view keyword)
{
    return sameTextIgnoringCase(value, keyword);
}

// The trimmed text without a leading '+' (which the conversions below do not take); empty when
// the text holds two signs.
std::string_view numberText(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
    {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return {};
    }
    return text;
}

// The whole text as a decimal integer of 32 bits: an optional sign and digits only.
bool parseInteger(std::string_view text, int32_t& value)
{
    text = numberText(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

struct Group
{
    int32_t code = 0;
    std::string_view value;
    size_t line = 0; // of the code line
    size_t valueLine() const { return line + 1; }
};

// The groups of the text, two lines each, with the comment groups left out. A line ends at LF; one
// CR before it is dropped. Blank lines before a code line are skipped.
class GroupReader
{
public:
    // A byte-order mark that some writers put before UTF-8 text is not part of the first line.
    explicit GroupReader(std::string_view text) : text_(text.starts_with(byteOrderMark) ? text.substr(3) : text) {}

    Group next()
    {
        if (holding_)
        {
            holding_ = false;
            return held_;
        }
        for (;;)
        {
            Group group = readGroup();
            if (group.code != commentCode)
                return group;
        }
    }

    // The group is read again by the next call of next().
    void putBack(const Group& group)
    {
        held_ = group;
        holding_ = true;
    }

private:
    bool readLine(std::string_view& line)
    {
        if (position_ >= text_.size())
            return false;
        const size_t end = text_.find('\n', position_);
        const size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(position_, stop - position_);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++lineNumber_;
        return true;
    }

    [[noreturn]] void failAtEnd() const
    {
        throw ReadFailure{"Unexpected End Of File\n(after line " + std::to_string(lineNumber_) + ")"};
    }

    Group readGroup()
    {
        std::string_view codeLine;
        do
        {
            if (!readLine(codeLine))
                failAtEnd();
            codeLine = trimmed(codeLine);
        } while (codeLine.empty());
        Group group;
        group.line = lineNumber_;
        if (!parseInteger(codeLine, group.code))
            failAt("Can not determine integer value of " + std::string(codeLine), lineNumber_);
        if (!readLine(group.value))
            failAtEnd();
        return group;
    }

    std::string_view text_;
    size_t position_ = 0;
    size_t lineNumber_ = 0;
    Group held_;
    bool holding_ = false;
};

double realValue(const Group& group)
{
    const std::string_view text = numberText(group.value);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool numberRead = error == std::errc() || error == std::errc::result_out_of_range;
    if (text.empty() || !numberRead || end != text.data() + text.size())
        failAt("Can not determine real value of " + std::string(trimmed(group.value)), group.valueLine());
    // Too small for a double is 0; too large is refused.
    const size_t exponent = text.find_first_of("eE");
    const bool underflow = exponent != std::string_view::npos && exponent + 1 < text.size() && text[exponent + 1] == '-';
    if (error == std::errc::result_out_of_range && underflow)
        return text.front() == '-' ? -0.0 : 0.0;
    if (std::isnan(value))
        failAt("Not a number: " + std::string(trimmed(group.value)), group.valueLine());
    if (error == std::errc::result_out_of_range || !std::isfinite(value))
        failAt("Number out of range: " + std::string(trimmed(group.value)), group.valueLine());
    return value;
}

int32_t integerValue(const Group& group)
{
    int32_t value = 0;
    if (!parseInteger(group.value, value))
        failAt("Can not determine integer value of " + std::string(trimmed(group.value)), group.valueLine());
    return value;
}

// The axes of an entity's coordinate system from its extrusion direction (the drawing format's
// arbitrary-axis rule): Ax from the world y or z axis crossed with N, Ay = N x Ax.
struct ObjectAxes
{
    Vector3 ax;
    Vector3 ay;
    Vector3 n;

    Vector3 toWorld(double x, double y, double elevation) const
    {
        return Vector3(x * ax.x + y * ay.x + elevation * n.x, x * ax.y + y * ay.y + elevation * n.y,
                       x * ax.z + y * ay.z + elevation * n.z);
    }
};

Vector3 cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vector3 normalised(const Vector3& v)
{
    const double length = std::hypot(v.x, v.y, v.z);
    return Vector3(v.x / length, v.y / length, v.z / length);
}

ObjectAxes axesOf(const Vector3& extrusion, size_t line)
{
    const double length = std::hypot(extrusion.x, extrusion.y, extrusion.z);
    if (!(length > 0.0) || !std::isfinite(length))
        failAt("LWPOLYLINE with an extrusion direction of length 0", line);
    ObjectAxes axes;
    axes.n = normalised(extrusion);
    constexpr double nearPole = 1.0 / 64.0;
    axes.ax = std::fabs(axes.n.x) < nearPole && std::fabs(axes.n.y) < nearPole ? Vector3(axes.n.z, 0.0, -axes.n.x)
                                                                                 : Vector3(-axes.n.y, axes.n.x, 0.0);
    axes.ax = normalised(axes.ax);
    axes.ay = cross(axes.n, axes.ax);
    return axes;
}

class EntityReader
{
public:
    explicit EntityReader(std::string_view text) : groups_(text) {}

    DxfDrawing read()
    {
        findEntitySection();
        Group group = groups_.next();
        for (;;)
        {
            if (group.code != 0)
                group = groups_.next();
            else if (isKeyword(group.value, "ENDSEC"))
                break;
            else if (isKeyword(group.value, "LINE"))
                group = readLine();
            else if (isKeyword(group.value, "LWPOLYLINE"))
                group = readPolyline(group);
            else
                group = skipEntity(group);
        }
        return finish();
    }

private:
    void findEntitySection()
    {
        for (;;)
        {
            const Group group = groups_.next();
            if (group.code != 0)
                continue;
            if (isKeyword(group.value, "EOF"))
                failAt("The file has no ENTITIES section", group.line);
            if (!isKeyword(group.value, "SECTION"))
                continue;
            const Group name = groups_.next();
            if (name.code == 2 && isKeyword(name.value, "ENTITIES"))
                return;
            groups_.putBack(name);
        }
    }

    // A LINE's points are world coordinates as they stand; a missing coordinate is 0.
    Group readLine()
    {
        Vector3 start(0.0, 0.0, 0.0);
        Vector3 end(0.0, 0.0, 0.0);
        for (;;)
        {
            const Group group = groups_.next();
            switch (group.code)
            {
            case 0: addSegment(start, end); return group;
            case 10: start.x = realValue(group); break;
            case 20: start.y = realValue(group); break;
            case 30: start.z = realValue(group); break;
            case 11: end.x = realValue(group); break;
            case 21: end.y = realValue(group); break;
            case 31: end.z = realValue(group); break;
            default: break;
            }
        }
    }

    // A light-weight polyline: its groups up to the next group with code 0. Only the vertices it
    // holds are read, and no more than it declares.
    Group readPolyline(const Group& start)
    {
        int32_t declaredCount = -1;
        size_t countLine = start.line;
        int32_t flags = 0;
        double elevation = 0.0;
        Vector3 extrusion(0.0, 0.0, 1.0);
        vertices_.clear();
        bool afterX = false;
        Group group;
        for (group = groups_.next(); group.code != 0; group = groups_.next())
        {
            switch (group.code)
            {
            case 100:
                // What came before the polyline's own subclass marker is not the polyline's.
                if (isKeyword(group.value, "AcDbPolyline"))
                {
                    declaredCount = -1;
                    countLine = start.line;
                    flags = 0;
                    elevation = 0.0;
                    extrusion = Vector3(0.0, 0.0, 1.0);
                    vertices_.clear();
                }
                break;
            case 90:
                declaredCount = integerValue(group);
                countLine = group.valueLine();
                break;
            case 70: flags = integerValue(group) & 0xFF; break;
            case 38: elevation = realValue(group); break;
            case 10: vertices_.push_back({realValue(group), 0.0}); break;
            case 20:
                if (afterX)
                    vertices_.back().y = realValue(group);
                break;
            case 210: extrusion.x = realValue(group); break;
            case 220: extrusion.y = realValue(group); break;
            case 230: extrusion.z = realValue(group); break;
            default: break;
            }
            afterX = group.code == 10;
        }

        if (vertices_.empty())
            failAt(std::string(group.value) + "\nUnexpected Entity Type code [0]", group.line);
        if (declaredCount == -1)
            failAt("LWPOLYLINE without 90:\"Number of Vertices\" specified", countLine);
        if (declaredCount < 2)
            failAt("Illegal Polyline [Number of Vertices specified: " + std::to_string(declaredCount) + "]", countLine);
        if (vertices_.size() < static_cast<size_t>(declaredCount))
            ++drawing_.shortPolylines;
        else if (vertices_.size() > static_cast<size_t>(declaredCount))
        {
            ++drawing_.longPolylines;
            drawing_.verticesBeyondCount += vertices_.size() - static_cast<size_t>(declaredCount);
            vertices_.resize(static_cast<size_t>(declaredCount));
        }

        const ObjectAxes axes = axesOf(extrusion, start.line);
        auto jointOf = [&](const PlaneVertex& vertex) {
            const Vector3 point = axes.toWorld(vertex.x, vertex.y, elevation);
            if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z))
                failAt("LWPOLYLINE with a vertex out of range", start.line);
            return points_.findOrAdd(point);
        };
        const uint32_t first = jointOf(vertices_[0]);
        uint32_t previous = first;
        size_t membersMade = 0;
        for (size_t index = 1; index < vertices_.size(); ++index)
        {
            const uint32_t joint = jointOf(vertices_[index]);
            if (joint == previous)
            {
                ++drawing_.skippedSegments;
                continue;
            }
            drawing_.model.members.push_back({previous, joint});
            ++membersMade;
            previous = joint;
        }
        if ((flags & 0x01) != 0 && previous != first)
        {
            // Two joints are joined once, not by a member there and another back.
            if (membersMade == 1)
                ++drawing_.skippedSegments;
            else
                drawing_.model.members.push_back({previous, first});
        }
        return group;
    }

    Group skipEntity(const Group& start)
    {
        // Vertices, attributes and sequence ends belong to the entity before them.
        if (!isKeyword(start.value, "VERTEX") && !isKeyword(start.value, "SEQEND") &&
            !isKeyword(start.value, "ATTRIB"))
            countNotRead(start.value);
        Group group;
        do
            group = groups_.next();
        while (group.code != 0);
        return group;
    }

    void countNotRead(std::string_view name)
    {
        std::string key(name.substr(0, longestEntityName));
        const auto [found, added] = notReadIndex_.try_emplace(key, drawing_.entitiesNotRead.size());
        if (added)
            drawing_.entitiesNotRead.emplace_back(key, 0);
        ++drawing_.entitiesNotRead[found->second].second;
    }

    void addSegment(const Vector3& start, const Vector3& end)
    {
        const uint32_t startJoint = points_.findOrAdd(start);
        const uint32_t endJoint = points_.findOrAdd(end);
        if (startJoint == endJoint)
            ++drawing_.skippedSegments;
        else
            drawing_.model.members.push_back({startJoint, endJoint});
    }

    // Joints that no member uses (the single point of a skipped segment) are dropped.
    DxfDrawing finish()
    {
        const std::vector<Vector3>& points = points_.points();
        std::vector<uint32_t> newIndex(points.size(), TolerantPointIndex::none);
        for (const MemberEnds& member : drawing_.model.members)
            newIndex[member.start] = newIndex[member.end] = 0;
        for (size_t index = 0; index < points.size(); ++index)
            if (newIndex[index] == 0)
            {
                newIndex[index] = static_cast<uint32_t>(drawing_.model.joints.size());
                drawing_.model.joints.push_back(points[index]);
            }
        for (MemberEnds& member : drawing_.model.members)
            member = {newIndex[member.start], newIndex[member.end]};
        return std::move(drawing_);
    }

    struct PlaneVertex
    {
        double x;
        double y;
    };

    GroupReader groups_;
    DxfDrawing drawing_;
    TolerantPointIndex points_;
    std::vector<PlaneVertex> vertices_;
    std::unordered_map<std::string, size_t> notReadIndex_;
};

std::string plural(uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

DxfReading readDxf(std::string_view text)
{
    DxfReading reading;
    if (text.substr(0, binarySentinel.size()) == binarySentinel)
    {
        reading.error = "This is a DXF file in binary form; only DXF files in text form can be read.\n(line 1)";
        return reading;
    }
    try
    {
        reading.drawing = EntityReader(text).read();
        reading.ok = true;
    }
    catch (const ReadFailure& failure)
    {
        reading.error = failure.text;
    }
    return reading;
}

bool looksLikeDxf(std::string_view text)
{
    if (text.substr(0, binarySentinel.size()) == binarySentinel)
        return true;
    try
    {
        GroupReader groups(text);
        const Group first = groups.next();
        return first.code == 0 && isKeyword(trimmed(first.value), "SECTION");
    }
    catch (const ReadFailure&)
    {
        return false;
    }
}

std::string describeDxfDrawing(const DxfDrawing& drawing)
{
    std::string text = drawing.model.members.empty()
                           ? "Nothing was imported: the drawing holds no LINE or LWPOLYLINE segment between two points."
                           : "linecount " + std::to_string(drawing.model.members.size());
    if (drawing.skippedSegments > 0)
        text += "\n" + plural(drawing.skippedSegments, "segment", "segments") +
                " skipped (both ends on one joint, or closing a polyline onto its only member)";
    if (drawing.shortPolylines > 0)
        text += "\n" + plural(drawing.shortPolylines, "LWPOLYLINE holds", "LWPOLYLINEs hold") +
                " fewer vertices than declared";
    if (drawing.longPolylines > 0)
        text += "\n" + plural(drawing.longPolylines, "LWPOLYLINE holds", "LWPOLYLINEs hold") +
            " more vertices than declared: " + plural(drawing.verticesBeyondCount, "vertex", "vertices") +
            " beyond the count not read";
    if (!drawing.entitiesNotRead.empty())
    {
        text += "\nNot read:";
        size_t listed = 0;
        uint32_t others = 0;
        for (const auto& [name, count] : drawing.entitiesNotRead)
        {
            if (listed++ < mostEntityKindsListed)
                text += (listed > 1 ? ", " : " ") + std::to_string(count) + " " + name;
            else
                others += count;
        }
        if (others > 0)
            text += ", " + plural(others, "other entity", "other entities");
    }
    return text;
}

} // namespace lumbra
