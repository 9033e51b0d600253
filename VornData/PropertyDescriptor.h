#pragma once

#include <cstdint>
#include <optional>
#include <string>

class VornBaseObject;

// One column of the property list: what a property of an object type is called and how its cell
// reads for a given object. Descriptors are registered per type in the type registry and live until
// the process ends.
class PropertyDescriptor
{
public:
    // Flag bit 0: the property list draws the property as editable (white background).
    static constexpr uint32_t Editable = 1;

    explicit PropertyDescriptor(uint32_t flags) : flags(flags) {}
    PropertyDescriptor(const PropertyDescriptor&) = delete;
    PropertyDescriptor& operator=(const PropertyDescriptor&) = delete;
    virtual ~PropertyDescriptor() = default;

    virtual const char* getName() const = 0;
    virtual int32_t getTypeID() const = 0;
    // The cell text; none for a cell that shows no text. The two numbers are not read.
    virtual std::optional<std::string> getValueText(VornBaseObject* object, int32_t = 0, int32_t = 0) const = 0;
    virtual std::optional<std::string> getSecondaryText(VornBaseObject* object, int32_t = 0, int32_t = 0) const
    {
        return std::nullopt;
    }
    // White for an editable property, else light grey (0x00BBGGRR).
    virtual uint32_t getBackgroundColor(VornBaseObject* object) const
    {
        return flags & Editable ? 0xFFFFFFu : 0xC0C0C0u;
    }
    virtual uint32_t getTextColor(VornBaseObject* object) const { return 0; }
    // Properties cannot be changed through descriptors: the object's name goes to `objectName`, the
    // failure message to `message`, and the value stays as it is.
    virtual void setValueText(VornBaseObject* object, const char* text, std::string& message,
                              std::string& objectName) const;
    virtual int32_t getEnumCount(VornBaseObject* object) const { return 0; }
    virtual const char* getEnumText(VornBaseObject* object, int32_t index) const { return "Illegal Enum Index"; }
    virtual bool reservedQuery() const { return true; }

    PropertyDescriptor* getNext() const { return next; }

    // The next descriptor of the same type; written by the type registry.
    PropertyDescriptor* next = nullptr;
    const uint32_t flags;
};

// The failure message of setValueText: one line while name and text are short, otherwise two lines
// cut so that the message stays within 990 characters ("..." marks a cut text).
std::string composeSetValueFailure(const char* propertyName, const char* text);

// Register the descriptors of "Base Object", "Vertex", "Joint" and "Member" in the module's type
// registry, right after the type tree. Calling them again adds nothing.
void registerBaseObjectProperties();
void registerVertexProperties();
void registerJointProperties();
void registerMemberProperties();
