#pragma once

class VornDocument;

// A named piece of per-document state (a calculator's parameters and result lists, the OpenGL view's
// settings). The document owns its items and destroys them first when it closes, so an item can still
// stop a worker while the model exists. Destroying an item takes it out of its document's chain.
class DocumentItem
{
public:
    DocumentItem() = default;
    DocumentItem(const DocumentItem&) = delete;
    DocumentItem& operator=(const DocumentItem&) = delete;
    virtual ~DocumentItem();
    // The item's key, unique within a document.
    virtual const char* getName() const = 0;

    VornDocument* getDocument() const { return document; }
    DocumentItem* getNext() const { return next; }
    DocumentItem* getPrevious() const { return previous; }

    VornDocument* document = nullptr;
    DocumentItem* next = nullptr;
    DocumentItem* previous = nullptr;
};
