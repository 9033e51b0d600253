#pragma once

// Everything that waits for a person: message boxes, the beep, the colour and file dialogs and
// opening a document in the browser. All of it goes through one service, which tests replace
// with ScriptedInteraction to answer from a script and count what was asked.

#include "platform/Message.h"
#include "platform/PlatformApi.h"
#include "platform/Printing.h"
#include "platform/SystemValues.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace platform
{

class Toolbar;

struct MessageBoxRequest
{
    WindowHandle owner = WindowHandle::None; // None: the main window
    std::string text;
    std::string caption;
    uint32_t type = MB_OK; // MB_ buttons | MB_ICON | MB_DEFBUTTON | MB_TOPMOST
    // A box asked from a worker thread closes, answering messageBoxStopped, when the worker is
    // stopped.
    std::stop_token stop;
};

// The answer of a box whose worker was stopped before the person answered.
inline constexpr int32_t messageBoxStopped = 0;

struct ColourRequest
{
    WindowHandle owner = WindowHandle::None;
    uint32_t initialColour = 0; // 0x00BBGGRR
    uint32_t flags = CC_RGBINIT | CC_FULLOPEN;
};

// One entry of a file dialog's type list: "Bitmap (*.bmp)" with the patterns "*.bmp" (several
// joined with ';').
struct FileFilter
{
    std::string description;
    std::string patterns;
};

struct FileDialogRequest
{
    bool save = false;
    WindowHandle owner = WindowHandle::None;
    std::string title;
    std::vector<FileFilter> filters;
    int32_t filterIndex = 1; // 1-based; the chosen one on return
    std::string defaultExtension; // added to a name typed without extension ("bmp", no dot)
    std::string fileName; // initial name; the chosen path on return
    uint32_t flags = 0; // OFN_FILEMUSTEXIST, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY
};

class PLATFORM_API InteractionService
{
public:
    virtual ~InteractionService() = default;
    // Answers IDOK ... IDNO. Called off the user-interface thread, a box is asked on that thread
    // (runOnUiThread) while the caller waits.
    virtual int32_t messageBox(const MessageBoxRequest& request) = 0;
    // MB_OK (the default beep), an MB_ICON value, or MB_SIMPLEBEEP.
    virtual void beep(uint32_t type) = 0;
    // True with `chosen` set when the person chose OK; `customColours` are shown and updated.
    virtual bool chooseColour(const ColourRequest& request, uint32_t& chosen,
                              std::array<uint32_t, 16>& customColours) = 0;
    // True with the request's fileName and filterIndex set when a file was chosen.
    virtual bool chooseFile(FileDialogRequest& request) = 0;
    // Opens the document with the desktop's program for it; false with a reason when it fails.
    virtual bool openDocument(const std::string& path, std::string& error) = 0;
    // The print dialog (then printing), the preview or page setup; true when the person went on.
    virtual bool print(const PrintRequest& request, const PageDrawer& drawPage) = 0;
    // The customise dialog of a toolbar: the person adds, removes and moves buttons through the
    // bar's customising steps until the dialog closes.
    virtual void customizeToolbar(Toolbar& toolbar) = 0;
};

// The service in use (the real one unless a test installed another).
PLATFORM_API InteractionService& interactionService();
// Installs a service (null: the real one again); answers the one it replaces.
PLATFORM_API InteractionService* setInteractionService(InteractionService* service);

// What everybody calls. From a worker thread the box is asked on the user-interface thread.
PLATFORM_API int32_t messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                                uint32_t type = MB_OK);
PLATFORM_API void messageBeep(uint32_t type = MB_OK);
// Starts with `colour`; on OK stores the 24-bit choice in it and answers true; Cancel changes
// nothing. The 16 custom colours are kept for the run.
PLATFORM_API bool chooseColour(WindowHandle owner, uint32_t& colour, uint32_t flags = CC_RGBINIT | CC_FULLOPEN);
PLATFORM_API std::array<uint32_t, 16>& customColours();
PLATFORM_API bool chooseFile(FileDialogRequest& request);
// Opens the document; a failure is reported in a box. Answers whether it was opened.
PLATFORM_API bool openDocument(const std::string& path);

// Installs itself for its lifetime: records every request and answers from its script. Without a
// scripted answer a box answers its default button, and colour and file dialogs are cancelled.
class PLATFORM_API ScriptedInteraction : public InteractionService
{
public:
    ScriptedInteraction();
    ~ScriptedInteraction() override;
    ScriptedInteraction(const ScriptedInteraction&) = delete;
    ScriptedInteraction& operator=(const ScriptedInteraction&) = delete;

    int32_t messageBox(const MessageBoxRequest& request) override;
    void beep(uint32_t type) override;
    bool chooseColour(const ColourRequest& request, uint32_t& chosen, std::array<uint32_t, 16>& customColours) override;
    bool chooseFile(FileDialogRequest& request) override;
    bool openDocument(const std::string& path, std::string& error) override;
    // Print and preview print into the answer's PDF file; setup goes on with any answer.
    bool print(const PrintRequest& request, const PageDrawer& drawPage) override;
    // Runs the next scripted customising (none: the dialog closes at once).
    void customizeToolbar(Toolbar& toolbar) override;

    // The script.
    std::deque<int32_t> boxAnswers;
    std::deque<std::optional<uint32_t>> colourAnswers; // nullopt: Cancel
    struct FileAnswer
    {
        std::string path;
        int32_t filterIndex = 1;
    };
    std::deque<std::optional<FileAnswer>> fileAnswers; // nullopt: Cancel
    bool documentsOpen = true;
    std::deque<std::optional<std::string>> printAnswers; // a PDF file's path; nullopt: Cancel
    std::deque<std::function<void(Toolbar&)>> customizeAnswers; // what the person does in the dialog

    // What was asked.
    std::vector<MessageBoxRequest> boxes;
    std::vector<uint32_t> beeps;
    std::vector<ColourRequest> colourRequests;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> openedDocuments;
    std::vector<PrintRequest> printRequests;
    std::vector<WindowHandle> customizedToolbars;

private:
    InteractionService* previous_;
};

// What a box shows of `text`: a line longer than boxLineLength characters is cut and ends in
// "...", and after boxLineCount lines a last line "..." stands for the rest, so that a box of any
// text appears at once and fits the screen. UTF-8 characters are never split.
inline constexpr size_t boxLineLength = 200;
inline constexpr size_t boxLineCount = 40;
PLATFORM_API std::string boxTextShown(const std::string& text);

// The answer of a box's default button (MB_DEFBUTTON1..3 of its MB_ type).
PLATFORM_API int32_t defaultMessageBoxAnswer(uint32_t type);

} // namespace platform
