// Closing never loses an edited model without a word: the last window of an edited document, and
// the program at Exit, ask "Export the changes to <title>?" once per document. Yes exports (a
// cancelled dialog or a failed export keeps the document), No lets the changes go, Cancel keeps
// everything open. Unedited and freshly exported documents close without a question.
#include "VornInterface/CommandIds.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/MAI_Doc_VornInterface.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginFile.h"
#include "tests/host/HostApplicationForTests.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace
{

// Writes nothing; remembers which document it was asked to write and answers as told.
class RecordingExporter : public VornPluginFileExport
{
public:
    const char* getName() override { return "Closing Format"; }
    void about(PluginWindowHandle*) override {}
    const char* getExtension() override { return "cls"; }
    const char* getFormatName() override { return "Closing Format"; }
    bool canExport() override { return true; }
    bool exportFile(const char*) override
    {
        exported.push_back(testHost().mai().activeDocument);
        return succeeds;
    }
    bool succeeds = true;
    std::vector<MAI_Doc*> exported;
};

// Runs for every document until the program's close stops it.
class EndlessCalculator : public VornPluginCalculator
{
public:
    const char* getName() override { return "Endless Calculation"; }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return false; }
    int32_t getCalculationState(VornDocument*) override { return running ? Running : 0; }
    int32_t stopCalculation(VornDocument*) override
    {
        ++stops;
        running = false;
        return 0;
    }
    bool running = false;
    int stops = 0;
};

// What the person does when asked.
struct Answer
{
    const char* name;
    int32_t button;
    std::optional<std::string> exportPath; // the export dialog's answer; nullopt: Cancel
    bool exportSucceeds;
    bool closes;
    bool exports;
};

const Answer answers[] = {
    {"Yes, exported", platform::IDYES, "/models/closing.cls", true, true, true},
    {"Yes, export dialog cancelled", platform::IDYES, std::nullopt, true, false, false},
    {"Yes, export failed", platform::IDYES, "/models/closing.cls", false, false, true},
    {"No", platform::IDNO, std::nullopt, true, true, false},
    {"Cancel", platform::IDCANCEL, std::nullopt, true, false, false},
};

class HostClosing : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CVornInterfaceApp& app = testHost();
        registerHostPluginTypes(app.registry(), app.mai());
        exporter = new RecordingExporter;
        calculator = new EndlessCalculator;
        app.registry().addPlugin(exporter);
        app.registry().addPlugin(calculator);
        std::filesystem::create_directories("system");
    }

    void SetUp() override
    {
        exporter->succeeds = true;
        exporter->exported.clear();
        calculator->running = false;
        calculator->stops = 0;
        frame = new CMainFrame;
        ASSERT_TRUE(frame->create());
        platform::Application::instance()->setMainWindow(frame);
    }

    // A frame still open at the end closes with every question answered No.
    void TearDown() override
    {
        if (!frameOpen())
            return;
        script.boxAnswers.assign(frame->docTemplate().documents().size(), platform::IDNO);
        frame->postMessage(platform::WM_CLOSE);
        platform::Application::instance()->processMessages();
        ASSERT_FALSE(frameOpen());
    }

    static bool frameOpen() { return platform::Application::instance()->mainWindow() != nullptr; }

    CVornInterfaceDoc* newDocument()
    {
        CVornInterfaceView* view = frame->newDocument();
        platform::Application::instance()->processMessages();
        return view != nullptr ? dynamic_cast<CVornInterfaceDoc*>(view->document()) : nullptr;
    }

    // A change of the model, taken the way every editing operation takes it.
    static void edit(CVornInterfaceDoc& document)
    {
        const DocumentChangeLock lock(&document.documentInterface(), "Edit");
        ASSERT_TRUE(lock);
    }

    std::vector<platform::Document*> documents() const { return frame->docTemplate().documents(); }

    void answerWith(const Answer& answer)
    {
        script.boxAnswers.push_back(answer.button);
        if (answer.button == platform::IDYES)
            script.fileAnswers.push_back(
                answer.exportPath ? std::optional(platform::ScriptedInteraction::FileAnswer{*answer.exportPath, 1})
                                  : std::nullopt);
        exporter->succeeds = answer.exportSucceeds;
    }

    // Edits a new document, scripts `answer` and runs the command that closes it (File, Close or
    // Exit), which must ask about it; the document's model interface, only to compare with once the
    // document may have closed.
    MAI_Doc* closeEditedDocument(const Answer& answer, std::uint32_t command)
    {
        CVornInterfaceDoc* document = newDocument();
        if (document == nullptr)
        {
            ADD_FAILURE() << "no document";
            return nullptr;
        }
        const std::string title = document->title();
        // Taken now: a document that closes is gone after the command.
        MAI_Doc* model = &document->documentInterface();
        edit(*document);
        script.boxes.clear();
        exporter->exported.clear();
        answerWith(answer);
        EXPECT_TRUE(frame->executeCommand(command));
        platform::Application::instance()->processMessages();
        expectQuestionAbout(title);
        return model;
    }

    // The close question about the document, the box asked at `index`.
    void expectQuestionAbout(const std::string& title, std::size_t index = 0)
    {
        ASSERT_GT(script.boxes.size(), index);
        EXPECT_EQ(script.boxes[index].text, "Export the changes to " + title + "?");
        EXPECT_EQ(script.boxes[index].caption, "Quorl2");
        EXPECT_EQ(script.boxes[index].type & platform::MB_TYPEMASK, platform::MB_YESNOCANCEL);
    }

    static inline RecordingExporter* exporter = nullptr;
    static inline EndlessCalculator* calculator = nullptr;
    platform::ScriptedInteraction script;
    CMainFrame* frame = nullptr;
};

TEST_F(HostClosing, FileCloseOfAnEditedDocumentAsksAndFollowsTheAnswer)
{
    for (const Answer& answer : answers)
    {
        SCOPED_TRACE(answer.name);
        MAI_Doc* model = closeEditedDocument(answer, HostCommand::FileClose);

        const bool closed = documents().empty();
        EXPECT_EQ(closed, answer.closes);
        EXPECT_EQ(exporter->exported, answer.exports ? std::vector<MAI_Doc*>{model} : std::vector<MAI_Doc*>{});
        if (!closed)
        {
            EXPECT_EQ(script.boxes.size(), answer.exports ? 2u : 1u) << "a failed export says so";
            EXPECT_TRUE(model->hasUnexportedChanges());
            EXPECT_EQ(testHost().mai().activeDocument, model) << "the document window stays";
            script.boxAnswers = {platform::IDNO};
            ASSERT_TRUE(frame->executeCommand(HostCommand::FileClose));
            platform::Application::instance()->processMessages();
            ASSERT_TRUE(documents().empty());
        }
    }
}

TEST_F(HostClosing, ExitAsksForEveryEditedDocumentBeforeCalculationsStopAndTheConfigurationIsWritten)
{
    for (const Answer& answer : answers)
    {
        SCOPED_TRACE(answer.name);
        if (!frameOpen())
            SetUp();
        std::filesystem::remove("system/plugin.cfg");
        calculator->running = true;
        closeEditedDocument(answer, HostCommand::Exit);

        EXPECT_EQ(!frameOpen(), answer.closes);
        EXPECT_EQ(exporter->exported.size(), answer.exports ? 1u : 0u);
        EXPECT_EQ(std::filesystem::exists("system/plugin.cfg"), answer.closes);
        EXPECT_EQ(calculator->running, !answer.closes) << "a cancelled exit leaves the calculation running";
        if (frameOpen())
        {
            EXPECT_EQ(documents().size(), 1u);
            calculator->running = false;
            script.boxAnswers = {platform::IDNO};
            ASSERT_TRUE(frame->executeCommand(HostCommand::FileClose));
            platform::Application::instance()->processMessages();
        }
    }
}

TEST_F(HostClosing, ExitAsksOncePerEditedDocumentTheActiveOneFirstAndExportsTheOneAskedAbout)
{
    CVornInterfaceDoc* first = newDocument();
    CVornInterfaceDoc* unedited = newDocument();
    CVornInterfaceDoc* active = newDocument();
    ASSERT_TRUE(first != nullptr && unedited != nullptr && active != nullptr);
    edit(*first);
    edit(*active);
    ASSERT_EQ(frame->activeDocument(), active);

    const std::string firstTitle = first->title();
    const std::string activeTitle = active->title();
    MAI_Doc* firstModel = &first->documentInterface();
    script.boxAnswers = {platform::IDNO, platform::IDCANCEL};
    EXPECT_TRUE(frame->executeCommand(HostCommand::Exit));
    platform::Application::instance()->processMessages();
    ASSERT_EQ(script.boxes.size(), 2u) << "the unedited document is not asked about";
    expectQuestionAbout(activeTitle, 0);
    expectQuestionAbout(firstTitle, 1);
    EXPECT_TRUE(frameOpen()) << "Cancel for one document keeps the program running";
    EXPECT_EQ(documents().size(), 3u);
    EXPECT_EQ(frame->activeDocument(), first) << "the document asked about shows in front";

    script.boxes.clear();
    script.boxAnswers = {platform::IDYES, platform::IDNO};
    script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/first.cls", 1}};
    EXPECT_TRUE(frame->executeCommand(HostCommand::Exit));
    platform::Application::instance()->processMessages();
    ASSERT_EQ(script.boxes.size(), 2u);
    expectQuestionAbout(firstTitle, 0);
    expectQuestionAbout(activeTitle, 1);
    EXPECT_EQ(exporter->exported, std::vector<MAI_Doc*>{firstModel}) << "the document asked about is exported";
    EXPECT_FALSE(frameOpen());
}

TEST_F(HostClosing, UneditedAndFreshlyExportedDocumentsCloseWithoutAQuestion)
{
    CVornInterfaceDoc* unedited = newDocument();
    ASSERT_NE(unedited, nullptr);
    EXPECT_FALSE(unedited->documentInterface().hasUnexportedChanges()) << "a new document holds no edit";
    EXPECT_TRUE(frame->executeCommand(HostCommand::FileClose));
    platform::Application::instance()->processMessages();
    EXPECT_TRUE(documents().empty());

    CVornInterfaceDoc* exported = newDocument();
    ASSERT_NE(exported, nullptr);
    edit(*exported);
    script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/exported.cls", 1}};
    EXPECT_TRUE(frame->executeCommand(HostCommand::Export));
    ASSERT_EQ(exporter->exported.size(), 1u);
    EXPECT_FALSE(exported->documentInterface().hasUnexportedChanges());

    // A failed export keeps the mark of a later edit.
    edit(*exported);
    exporter->succeeds = false;
    script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/exported.cls", 1}};
    EXPECT_TRUE(frame->executeCommand(HostCommand::Export));
    EXPECT_TRUE(exported->documentInterface().hasUnexportedChanges());
    exporter->succeeds = true;
    script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/exported.cls", 1}};
    EXPECT_TRUE(frame->executeCommand(HostCommand::Export));
    script.boxes.clear();

    EXPECT_TRUE(frame->executeCommand(HostCommand::Exit));
    platform::Application::instance()->processMessages();
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_FALSE(frameOpen());
}

TEST_F(HostClosing, OnlyTheLastWindowOfADocumentAsksAndItsOwnDocumentIsExported)
{
    CVornInterfaceDoc* edited = newDocument();
    ASSERT_NE(edited, nullptr);
    const std::string title = edited->title();
    MAI_Doc* editedModel = &edited->documentInterface();
    edit(*edited);
    EXPECT_TRUE(frame->executeCommand(HostCommand::NewWindow));
    platform::Application::instance()->processMessages();
    ASSERT_EQ(edited->views().size(), 2u);
    CVornInterfaceDoc* other = newDocument();
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(frame->activeDocument(), other);

    // Windows of a document that is not the active one close through their own close boxes.
    EXPECT_TRUE(edited->views().front()->frame()->close());
    platform::Application::instance()->processMessages();
    EXPECT_TRUE(script.boxes.empty()) << "another window still shows the model";
    ASSERT_EQ(edited->views().size(), 1u);

    script.boxAnswers = {platform::IDYES};
    script.fileAnswers = {platform::ScriptedInteraction::FileAnswer{"/models/edited.cls", 1}};
    EXPECT_TRUE(edited->views().front()->frame()->close());
    platform::Application::instance()->processMessages();
    ASSERT_EQ(script.boxes.size(), 1u);
    expectQuestionAbout(title);
    EXPECT_EQ(exporter->exported, std::vector<MAI_Doc*>{editedModel}) << "the document asked about is exported";
    EXPECT_EQ(documents(), std::vector<platform::Document*>{other});
}

} // namespace
