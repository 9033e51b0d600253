#pragma once

#include <atomic>
#include <cstdint>
#include <new>

#include "BlockLists/BlockList.h"
#include "BlockLists/BlockListGroup.h"
#include "VornData/StringManager.h"
#include "VornData/VornGroup.h"
#include "VornData/VornSelection.h"
#include "VornData/generalException.h"

class DocumentItem;
// A new, empty list for a document; running out of memory throws Exc_OutOfMemory naming `where`.
template <class T>
BlockList<T>* createDocumentList(const char* name, const char* where)
{
    try
    {
        return new BlockList<T>(name);
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory(where);
    }
}

class VornDocumentHost;

// One model in memory: a group of named block lists of model objects, the model's string storage,
// the current selection, the root group, the document items and the values the calculators and views
// share. The document creates the lists "VornSelection" and "VornGroup"; plugins add the others.
//
// The document owns its top-level lists: when it closes it destroys its document items first (so a
// calculator stops its worker while the model still exists), then releases every element quietly
// (no cascades, no self-removals) and destroys the lists.
class VornDocument : public BlockListGroup
{
public:
    VornDocument();
    ~VornDocument();
    VornDocument(const VornDocument&) = delete;
    VornDocument& operator=(const VornDocument&) = delete;

    // Prepares an empty model: names cleared, every list emptied, the root group "__WORLD" created
    // with the world tracer in it.
    void reset();
    // The root group: the group that holds the world tracer; null before reset.
    VornGroup* getWorldGroup() const;
    const VornSelectable& getWorldTracer() const { return worldTracer; }

    // The current selection; a new one is created when there is none.
    VornSelection* getSelection();
    // The current selection; null when there is none (nothing is created).
    VornSelection* findSelection() const;
    // Makes the selection current. A previous current selection that is not a named set leaves its
    // list. Returns the current selection: the argument may have moved to another slot when the
    // previous one left, so callers continue with the returned pointer.
    VornSelection* setSelection(VornSelection* selection);
    // The current selection, or a new one when there is none or the current one is a named set.
    VornSelection* getModifiableSelection();
    // Empties and drops the current selection unless it is a named set, and makes a new one current.
    VornSelection* newSelection();
    // Adds every object below the root group to the selection (closed groups as one object).
    void selectAll(VornSelection* selection);
    VornSelection* getPropertyListSelection() { return &propertyListSelection; }

    // Puts the item at the head of the chain; throws Exc_InternalError for a null item or a key that
    // is already there.
    void addDocumentItem(DocumentItem* item);
    DocumentItem* getDocumentItem(const char* key) const;
    DocumentItem* getFirstDocumentItem() const { return firstDocumentItem; }

    // Adds a top-level list; the document destroys it when it closes. A second list of one name is a
    // programming error.
    void addBlockList(BlockListBase* list);

    StringManager& getStringStorage() { return strings; }
    BlockList<VornSelection>* getSelectionList() const { return selectionList; }
    BlockList<VornGroup>* getGroupList() const { return groupList; }

    // The document interface that embeds the document; null when there is none.
    VornDocumentHost* getHost() const { return host; }
    void setHost(VornDocumentHost* documentHost) { host = documentHost; }

    // True while reset or closing releases every element at once.
    bool isReleasingAll() const { return releasingAll; }

    // Calculator workers: whether another iteration may run (pending iterations not 0), and the
    // bookkeeping after one completed: the iteration count rises by 1 and a positive pending count
    // falls by 1.
    bool mayIterate() const { return pendingIterations.load() != 0; }
    void countCompletedIteration();

    DocumentItem* firstDocumentItem = nullptr;
    // Raised by 1 by a calculator after each completed iteration.
    std::atomic<int32_t> iterationCount{0};
    // -1: calculators run freely; 0: they wait; n > 0: n more iterations.
    std::atomic<int32_t> pendingIterations{-1};
    // The velocity calculator keeps joints above the floor when set.
    std::atomic<bool> floorEnabled{false};
    std::atomic<double> floorHeight{0.0};

private:
    // Releases every element of every list without cascades.
    void releaseAllQuietly();
    void destroyLists();

    StringManager strings;
    BlockList<VornSelection>* selectionList = nullptr;
    knotReference currentSelection;
    BlockList<VornGroup>* groupList = nullptr;
    VornSelectable worldTracer;
    VornSelection propertyListSelection;
    VornDocumentHost* host = nullptr;
    bool releasingAll = false;
};
