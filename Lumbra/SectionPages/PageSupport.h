#pragma once

// What the property pagettes of cross-sections and materials share: the element they work on,
// the document lock around a change, the notice that announces it, their spin buttons and the
// way they show numbers.

#include "BlockLists/BlockList.h"
#include "VornData/ObjectChangeNotice.h"
#include "platform/DialogTemplate.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CColorButton;
class CPagetteButton;
class VornBaseObject;

namespace platform
{
class Dialog;
}

namespace lumbra
{

// The current element of the active document's list of that name; null without an active
// document, without the list or without a current element.
template <class Element>
Element* currentElementOf(MAI* mai, const char* listName)
{
    if (mai == nullptr || mai->activeDocument == nullptr)
        return nullptr;
    auto* list = dynamic_cast<BlockList<Element>*>(mai->activeDocument->document.getBlockList(listName));
    return list != nullptr ? list->current : nullptr;
}

// The document lock held while a pagette changes a property object of the active document, with
// the usual wait and Abort/Retry/Ignore box naming `operation`; not locked without a document.
DocumentChangeLock lockForPageChange(MAI* mai, const char* operation);

// Sends an ObjectChangeNotice {object, changedValue} on the channel.
void sendObjectChange(MAI* mai, const char* channel, VornBaseObject* object, const void* changedValue);

// Whether a notice of "CRSCH" or "MATCH" concerns a page showing `shown`: a null payload (the
// list changed as a whole) does, and so does a notice naming that element; others do not.
bool noticeConcerns(const void* payload, const VornBaseObject* shown);

// The colour button's click on a page showing `object`: the colour dialog on the shown colour;
// when it ends with OK and another colour than the object's, the colour is set on the object
// under the document lock and announced on the channel. Otherwise (and when the lock is refused)
// the button shows the object's colour again and nothing is sent.
void chooseObjectColour(MAI* mai, CColorButton& button, uint32_t& shown, VornBaseObject* object, const char* lockText,
                        const char* channel);

// The fixed texts of a pagette plugin.
struct PagetteTexts
{
    const char* name;
    const char* description; // begins with the name, a colon and a line break
    const char* aboutCaption;
    const char* aboutText;
};

// A pagette plugin of type `Base` whose window is a `Page`, made with (no parent, the plugin) on
// the first window request and kept; the host builds the window around it from dialog
// Page::dialogId of the plugin's module.
template <class Base, class Page>
class WindowedPagette : public Base
{
public:
    explicit WindowedPagette(const PagetteTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override { showAboutBox(parent, texts.aboutCaption, texts.aboutText); }
    PluginWindowRequest* getWindowRequest() override
    {
        if (page == nullptr)
        {
            page = std::make_unique<Page>(nullptr, this);
            this->dialogObject = page.get();
        }
        return this->requestWindow(Page::dialogId);
    }

    Page* window() const { return page.get(); }

protected:
    std::unique_ptr<Page> page;

private:
    PagetteTexts texts;
};

// Spin buttons of the pagettes multiply by 1.1 per click and drag exponentially.
inline constexpr double pageSpinStep = 1.1;
inline constexpr double pageSpinDragFactor = 0.01;
inline constexpr int32_t pageSpinFlags = CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply;

// The link of one value row of a page: the page is told before and after every spin with the
// row. `fromZero` is where a click up from 0 goes, a small value of the row's unit.
template <class Page>
class PageRowLink : public DoubleSpinnerLink
{
public:
    PageRowLink(Page& page, int32_t row, double* value, double fromZeroValue)
        : DoubleSpinnerLink(value, pageSpinStep, pageSpinDragFactor), page(page), row(row)
    {
        fromZero = fromZeroValue;
    }

    void beginChange() override { page.beginSpin(row); }
    void valueChanged() override { page.spun(row); }

    Page& page;
    const int32_t row;
};

// How a page writes a number: with 15 significant digits; as a single-precision value, with the
// fewest digits that read back as the same float (so small values keep their digits); or in the
// short form with 6 digits (doubleToShortText).
enum class PageNumberForm
{
    Full,
    SinglePrecision,
    Short,
};

std::string pageNumberText(double value, PageNumberForm form = PageNumberForm::Full);

// Shows the value in the page's edit in that form, fitted to the edit (Window::setNumberText).
void setPageNumber(platform::Dialog& page, int32_t editId, double value, PageNumberForm form = PageNumberForm::Full);

// setPageNumber unless the edit already shows that value or its text reads as it, so text the
// user is typing stays as typed.
void showPageNumber(platform::Dialog& page, int32_t editId, double value, PageNumberForm form = PageNumberForm::Full);

// Where the controls of the cross-section and material pagettes stand, in dialog units. The
// pagettes are as wide as the pagette holder of the CrossSections and Materials pages when the
// console is docked, so nothing of them is cut off at its right edge; a value row is a label, the
// value's edit and its spin button, the spin button kept clear of the frame's right edge.
namespace SectionPagette
{
constexpr int32_t width = 115;
constexpr int32_t labelLeft = 6;
constexpr int32_t rowHeight = 12;
constexpr int32_t spinnerWidth = 9;
constexpr int32_t spinnerLeft = width - 5 - spinnerWidth;
constexpr int32_t editRight = spinnerLeft - 2;
constexpr int32_t gap = 2;
} // namespace SectionPagette

// The label (8 units high, 2 below the row's top), the edit from `editLeft` to the spin button
// and the spin button of a value row of a section pagette whose top is at `top`.
std::vector<platform::DialogItemTemplate> valueRowItems(int32_t top, int32_t editLeft, int32_t labelId,
                                                        const char* label, int32_t editId, int32_t spinnerId,
                                                        const char* spinnerText);

// A section pagette's dialog: the frame button over the whole page, then the items.
platform::DialogTemplate sectionPagetteTemplate(int32_t frameId, const char* title, int32_t height,
                                                std::vector<platform::DialogItemTemplate> items);

// Takes over the pagette's frame button, lays it over the whole page and makes the page's height
// its unfolded height.
void attachPagetteFrame(platform::Dialog& page, CPagetteButton& frame, int32_t frameId);

} // namespace lumbra
