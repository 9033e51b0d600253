#pragma once

// The line-oriented model file "TempFormat" (extension "sfa"): its fixed lines, and how its values
// are written and read. Reals are written in the shortest exponent form that reads back to the same
// double, so a model survives any number of round trips bit for bit. Values are read strictly: the
// whole line must be the value, in the C locale whatever the user's locale.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumbra::modelfile
{

inline constexpr const char* magicLine = "Quorl2 TempASCII";
inline constexpr const char* versionLine = "VERSION";
inline constexpr int32_t currentVersion = 1;

// The sections in file order; the version 0 files end after Members.
enum class Section
{
    Materials,
    CrossSections,
    Joints,
    Members,
    ForceDefinitions,
    ForceInstances
};
inline constexpr std::size_t sectionCount = 6;
inline constexpr std::array<const char*, sectionCount> sectionHeaders = {
    "MATERIALS", "CROSS-SECTIONS", "JOINTS", "MEMBERS", "FORCEDEFINITIONS", "FORCEINSTANCES"};
// The document list each section is read from and written into.
inline constexpr std::array<const char*, sectionCount> sectionLists = {
    "VornMaterial", "VornCrossSection", "VornJoint", "VornMember", "VornForceDefinition", "VornForceInstance"};

inline const char* headerOf(Section section)
{
    return sectionHeaders[static_cast<std::size_t>(section)];
}
inline const char* listNameOf(Section section)
{
    return sectionLists[static_cast<std::size_t>(section)];
}

// The longest name the document's string storage keeps in one standard block; a longer name is
// neither written nor read.
inline constexpr std::size_t maximumNameLength = 262095;
// A name that a file line can hold and the reader takes back unchanged: no line feed in it and not
// too long.
bool isWritableName(std::string_view name);

// Colour-and-flags words keep the colour and the flag bits that describe the object (hidden,
// frozen or named, local or fixed length); selection marks, the closed-group mark, the
// modifier mark and the removed mark are states of a running document: they are neither written
// nor taken from a file.
inline constexpr uint32_t keptWordBits = 0x00FFFFFFu | (uint32_t{0x04 | 0x08 | 0x20} << 24);

// Appends the real in the shortest exponent form that reads back exactly ("1e-02",
// "1.1283791670955126e-01").
void appendReal(std::string& out, double value);
void appendInteger(std::string& out, int64_t value);

// Strict conversions of a whole line; nothing else may stand on it (no blanks, no trailing text).
// A real must be finite; "nan", "inf" and hexadecimal are refused.
std::optional<double> readReal(std::string_view line);
// An optional minus sign and decimal digits, within the type's range.
std::optional<int64_t> readInteger(std::string_view line);
// Decimal digits only, at most `largest`.
std::optional<uint64_t> readUnsigned(std::string_view line, uint64_t largest);

// The version line as the format has always read it: leading blanks skipped, an optional sign, the
// digits up to the first other character, 0 when there are none ("1.5" reads 1).
int64_t readLeadingInteger(std::string_view line);

} // namespace lumbra::modelfile
