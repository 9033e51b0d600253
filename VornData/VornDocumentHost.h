#pragma once

class VornModifier;

// What the data model needs of the document interface that embeds a document: its active modifier.
// The host's document interface implements it and registers itself with VornDocument::setHost.
class VornDocumentHost
{
public:
    virtual VornModifier* getActiveModifier() = 0;
    // Makes the modifier the active one (null: none), telling the plugins of the old and new one.
    virtual void setActiveModifier(VornModifier* modifier) = 0;

protected:
    ~VornDocumentHost() = default;
};
