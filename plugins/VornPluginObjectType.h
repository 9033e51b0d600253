#pragma once

#include "VornData/ModifierApplier.h"
#include "VornData/ShapeList.h"
#include "platform/ToolbarButton.h"
#include "plugins/VornPlugin.h"

class MAI_Doc;
class MAI_View;
class VornBaseObject;
class VornCrossSection;
class VornDocument;
class VornMaterial;
class VornModifiable;
class VornModifier;
class VornPluginMenuItem;
class VornPluginSnapObject;
class VornSelection;
struct SnapPoint;

// A small windowed plugin packaged in a creator, a modifier or a shape and kept in one of its
// pagette lists.
class VornPluginPagette : public VornPluginWindowed
{
public:
    VornPlugin* owner = nullptr; // the plugin whose list holds the pagette
    VornPluginPagette* prevPagette = nullptr;
    VornPluginPagette* nextPagette = nullptr;
};

// A list of pagettes, newest first; a pagette is in one list at a time.
class PagetteList
{
public:
    VornPluginPagette* first() const { return head; }
    // Puts the pagette at the head, owned by `owner`; a pagette already in a list stays there.
    void add(VornPlugin* owner, VornPluginPagette* pagette);
    // Makes the window of every pagette under the parent through the pagette's application
    // interface.
    void createWindows(PluginWindowHandle* parent);
    // Changes the style of every pagette that has a window.
    void modifyStyle(uint32_t remove, uint32_t add, uint32_t flags);

private:
    VornPluginPagette* head = nullptr;
};

// One kind of data object: its block lists and the defaults of a new document ("ObjectType").
class VornPluginObjectType : public VornPlugin
{
public:
    const char* getTypeName() override;
    // The registered object type name ("CrossSection", "Joint", ...) and its id.
    virtual const char* getObjectTypeName() = 0;
    virtual int32_t getObjectTypeID() = 0;
    // Adds the block lists this type needs to a new document.
    virtual void addBlockLists(MAI_Doc* document);
    // Fills a new document with the type's defaults.
    virtual void initDocument(MAI_Doc* document);
};

// An object type that is also an interactive creation tool ("Object Creator").
class VornPluginObjectCreator : public VornPluginObjectType
{
public:
    const char* getTypeName() override;
    virtual platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags);
    virtual int32_t getBitmapID();
    virtual platform::ToolbarButton* getButton() = 0;
    virtual void toolCommand(int32_t argument);
    virtual bool createObject() = 0;
    // Marks the snap object usable or not for this tool from its snap kind.
    virtual void acceptSnapObject(VornPluginSnapObject* snapObject) = 0;
    virtual void onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) = 0;
    // The tool stops being active.
    virtual void deactivate() = 0;

    void addCreatePagette(VornPluginPagette* pagette) { createPagettes.add(this, pagette); }
    void addEditPagette(VornPluginPagette* pagette) { editPagettes.add(this, pagette); }
    void createCreatePagetteWindows(PluginWindowHandle* parent) { createPagettes.createWindows(parent); }
    void createEditPagetteWindows(PluginWindowHandle* parent) { editPagettes.createWindows(parent); }
    void modifyCreatePagetteStyle(uint32_t remove, uint32_t add, uint32_t flags)
    {
        createPagettes.modifyStyle(remove, add, flags);
    }
    void modifyEditPagetteStyle(uint32_t remove, uint32_t add, uint32_t flags)
    {
        editPagettes.modifyStyle(remove, add, flags);
    }
    // Shows the edit pagettes that apply to the selection (refreshing those already shown) and
    // hides the others; a null selection hides them all. A pagette counts as shown when its
    // style has all `shownBits` and none of `hiddenBits`.
    void updateEditPagettes(MAI_Doc* document, VornSelection* selection, uint32_t shownBits, uint32_t hiddenBits);

    VornPluginMenuItem* toolMenuItem = nullptr; // the creator's first sub-plugin
    platform::ToolbarButton button;
    PagetteList createPagettes;
    PagetteList editPagettes;
};

// A tool that transforms the selected objects through modifier records ("Object Modifier"); the
// data model applies a record through it. Modifiers that share their pagettes are linked in a ring.
class VornPluginObjectModifier : public VornPlugin, public ModifierApplier
{
public:
    // A modifier that goes leaves its ring first, so that no walk of the ring reaches it.
    ~VornPluginObjectModifier() override;
    const char* getTypeName() override;
    // The reserved operations keep their place among the kind's operations; nothing calls them,
    // and no modifier gives them a role (the query answers 0, the others do nothing).
    virtual int32_t reservedQuery() { return 0; }
    virtual int32_t getBitmapID();
    virtual int32_t getSecondBitmapID();
    // The modifier's picture in the History pagette.
    virtual int32_t getImageIndex();
    virtual platform::ToolbarButton* getButton() = 0;
    virtual void reservedNotice1(intptr_t) {}
    virtual void reservedNotice2(intptr_t) {}
    virtual void reservedNotice3(intptr_t, intptr_t, intptr_t, intptr_t) {}
    virtual void reservedNotice4(intptr_t) {}
    // Makes `record` (or a new record when null) the one being edited; answers it.
    virtual VornModifier* activate(MAI_Doc* document, VornModifier* record, uint32_t flags) = 0;
    virtual void deactivate(MAI_Doc* document) = 0;
    virtual uint8_t getTransformKind();
    virtual const char* getToolCaption(int32_t argument) = 0;
    void applyToBase(VornModifier* record, VornModifiable* object) override = 0;
    void applyToCurrent(VornModifier* record, VornModifiable* object) override = 0;
    virtual void rebuildBase(VornModifier* record) = 0;
    virtual void updateModifier(VornModifier* record) = 0;

    void setImageIndex(int32_t index) { historyImageIndex = index; }
    void addPagette(VornPluginPagette* pagette) { pagettes.add(this, pagette); }
    void createPagetteWindows(PluginWindowHandle* parent) { pagettes.createWindows(parent); }
    // Joins this modifier into the ring of `other`, right after `other`. Refused (false) for a
    // null other, for itself and for a modifier already in a ring.
    bool linkModifier(VornPluginObjectModifier* other);
    // Over every modifier of the ring: hands the pagettes the record (when not null), then
    // changes their style.
    void modifyPagetteStyle(uint32_t remove, uint32_t add, VornModifier* record, uint32_t flags);
    // Hands the record to the pagettes of every modifier of the ring; nothing for null.
    void setPagettesObject(VornModifier* record);

    VornPluginMenuItem* menuItem = nullptr; // makes this modifier the active tool; sub-plugin 0
    platform::ToolbarButton button;
    int32_t historyImageIndex = -1;
    PagetteList pagettes;
    VornPluginObjectModifier* nextLinked = nullptr; // null while alone

private:
    template <class Action>
    void forEachPagetteOfRing(Action action);
};

// A parametric cross-section shape ("Shape").
class VornPluginShape : public VornPlugin
{
public:
    const char* getTypeName() override;
    // Attaches the shape to the cross-section and recomputes its values.
    virtual void applyToCrossSection(VornCrossSection* crossSection) = 0;
    // The coarse and the fine outline inside the cross-section's shape data; a null view when the
    // cross-section was not built by this shape.
    virtual ShapeList getShapeList(VornCrossSection* crossSection) = 0;
    virtual ShapeList getSecondShapeList(VornCrossSection* crossSection) = 0;
    virtual int32_t getParameterCount() = 0;
    virtual bool isBooleanParameter(int32_t index) = 0;
    virtual const char* getParameterName(int32_t index) = 0;
    virtual bool isParameterEditable(int32_t index, VornCrossSection* crossSection) = 0;
    virtual bool getBoolParameter(int32_t index, VornCrossSection* crossSection) = 0;
    virtual double getDoubleParameter(int32_t index, VornCrossSection* crossSection) = 0;
    // The setters change only the parameter block and answer whether the value changed; the caller
    // then applies the shape to the cross-section again.
    virtual bool setBoolParameter(int32_t index, VornCrossSection* crossSection, bool value) = 0;
    virtual bool setDoubleParameter(int32_t index, VornCrossSection* crossSection, double value) = 0;

    PagetteList pagettes;
};

// A pagette of a creator's creation pagettes; each creator registers its own type name.
class VornPluginCreatorPagette : public VornPluginPagette
{
public:
    // The creator found a snap point (flags of the mouse event).
    virtual void onSnapPoint(SnapPoint* point, uint32_t flags);
    // The creator got a mouse position without a snap point.
    virtual void onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags);
    // Reserved: nothing calls it and no pagette overrides it; answers false.
    virtual bool reservedQuery(intptr_t) { return false; }
    // Writes the pagette's settings into the object just created.
    virtual void applyToNewObject(VornDocument* document, VornBaseObject* object) = 0;
};

// A pagette of a creator's edit pagettes; each creator registers its own type name.
class VornPluginEditPagette : public VornPluginPagette
{
public:
    // Reserved: nothing calls it; answers false.
    virtual bool reservedQuery(intptr_t) { return false; }
    // Fills the window from the selection; true when there is nothing to show (the pagette is
    // then hidden). The number is not read.
    virtual bool updateFromSelection(int32_t unused, VornSelection* selection) = 0;
};

// A pagette of a modifier.
class PluginModifierPage : public VornPluginPagette
{
public:
    // Reserved: nothing calls them; the query answers false, the others do nothing.
    virtual void reservedNotice1(intptr_t, intptr_t) {}
    virtual void reservedNotice2(intptr_t, intptr_t, intptr_t, intptr_t) {}
    virtual bool reservedQuery(intptr_t) { return false; }
    // The modifier record the pagette shows.
    virtual void setObject(VornModifier* record);
};

// A pagette of the transform modifiers ("Transform Pagette").
class PluginModifierPageTransform : public PluginModifierPage
{
public:
    const char* getTypeName() override;
};

// A pagette of the Edit page ("Edit Static Pagette").
class PluginEditStaticPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
};

// A pagette of the CrossSections page ("CrossSection Pagette").
class PluginCrossSectionPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    virtual void updateObject(VornCrossSection* crossSection) = 0;
};

// A pagette of the Materials page ("Material Pagette").
class PluginMaterialPage : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    virtual void updateObject(VornMaterial* material) = 0;
};
