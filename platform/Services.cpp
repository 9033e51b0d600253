#include "platform/Services.h"

#include "platform/Application.h"
#include "platform/Threads.h"
#include "platform/Toolbar.h"
#include "platform/Window.h"
#include "platform/qt/ColourQt.h"
#include "platform/qt/PrintPage.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace platform
{

namespace
{

// The answers of each MB_ type's buttons, left to right.
std::vector<int32_t> answersOf(uint32_t type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

const char* buttonText(int32_t answer)
{
    switch (answer)
    {
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "&Abort";
    case IDRETRY:
        return "&Retry";
    case IDIGNORE:
        return "&Ignore";
    case IDYES:
        return "&Yes";
    case IDNO:
        return "&No";
    default:
        return "OK";
    }
}

QWidget* ownerWidget(WindowHandle owner)
{
    if (WindowState* state = WindowState::of(owner))
        return state->widget->window();
    return mainWindowWidget();
}

// Runs a modal toolkit dialog: no library idle inside, as in every modal loop.
template <typename Body>
auto runModal(Body body)
{
    ModalScope scope;
    return body();
}

uint32_t fromQColor(const QColor& colour)
{
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
        (static_cast<uint32_t>(colour.blue()) << 16);
}

// The customise dialog: the buttons on offer at the left, the bar's buttons by name at the right.
void runToolbarCustomizeDialog(Toolbar& toolbar)
{
    WindowState* bar = WindowState::of(toolbar.handle());
    QDialog dialog(bar != nullptr ? bar->widget->window() : mainWindowWidget());
    dialog.setObjectName(QStringLiteral("CustomizeToolbar"));
    dialog.setWindowTitle(QStringLiteral("Customize Toolbar"));
    auto* available = new QListWidget(&dialog);
    available->setObjectName(QStringLiteral("AvailableButtons"));
    auto* current = new QListWidget(&dialog);
    current->setObjectName(QStringLiteral("ToolbarButtons"));
    auto* add = new QPushButton(QStringLiteral("&Add ->"), &dialog);
    auto* remove = new QPushButton(QStringLiteral("<- &Remove"), &dialog);
    auto* up = new QPushButton(QStringLiteral("Move &Up"), &dialog);
    auto* down = new QPushButton(QStringLiteral("Move &Down"), &dialog);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    auto* middle = new QVBoxLayout;
    for (QPushButton* b : {add, remove, up, down})
        middle->addWidget(b);
    middle->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(available);
    row->addLayout(middle);
    row->addWidget(current);
    auto* outer = new QVBoxLayout(&dialog);
    outer->addLayout(row);
    outer->addWidget(close);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto fill = [&] {
        available->clear();
        const std::vector<AvailableButton> offeredButtons = toolbar.availableButtons();
        for (const AvailableButton& offered : offeredButtons)
            available->addItem(QString::fromStdString(offered.text));
        const int selected = current->currentRow();
        current->clear();
        for (int i = 0; i < toolbar.buttonCount(); ++i)
            current->addItem(QString::fromStdString(toolbar.buttonName(i, offeredButtons)));
        current->setCurrentRow(std::min(selected, current->count() - 1));
    };
    auto step = [&](auto action) {
        guardedCall([&] {
            if (action())
                fill();
        });
    };
    QObject::connect(add, &QPushButton::clicked, [&] {
        step([&] {
            return toolbar.customizeInsert(current->currentRow() < 0 ? toolbar.buttonCount() : current->currentRow(),
                                           available->currentRow());
        });
    });
    QObject::connect(remove, &QPushButton::clicked,
                     [&] { step([&] { return toolbar.customizeRemove(current->currentRow()); }); });
    QObject::connect(up, &QPushButton::clicked, [&] {
        const int at = current->currentRow();
        step([&] { return toolbar.customizeMove(at, at - 1); });
        current->setCurrentRow(std::max(at - 1, 0));
    });
    QObject::connect(down, &QPushButton::clicked, [&] {
        const int at = current->currentRow();
        step([&] { return toolbar.customizeMove(at, at + 1); });
        current->setCurrentRow(std::min(at + 1, current->count() - 1));
    });
    fill();
    dialog.exec();
}

// A box wraps its text at blanks only: a long run without one (a path, a line of a broken file)
// would widen it beyond the screen. A zero-width space every 40 characters of such a run lets it
// wrap there.
QString breakableText(const QString& text)
{
    QString broken;
    int run = 0;
    for (const QChar character : text)
    {
        run = character.isSpace() ? 0 : run + 1;
        if (run > 40 && !character.isLowSurrogate())
        {
            broken += QChar(0x200B);
            run = 1;
        }
        broken += character;
    }
    return broken;
}

// The lines of `text` that fit half the height of `screen` once wrapped to the width a box takes
// there; "..." stands for the rest. Wrapping at blanks wastes some of each line: a fifth is allowed.
QString textFittingScreen(const QString& text, const QFontMetrics& metrics, const QRect& screen)
{
    const int wrapWidth = std::max(100, screen.width() * 3 / 4);
    const int lineLimit = std::max(3, screen.height() / 2 / std::max(1, metrics.lineSpacing()));
    QStringList kept;
    int used = 0;
    for (const QString& line : text.split('\n'))
    {
        const int wrapped = std::max(1, (metrics.horizontalAdvance(line) * 6 / 5 + wrapWidth - 1) / wrapWidth);
        if (used + wrapped > lineLimit)
        {
            kept << "...";
            break;
        }
        used += wrapped;
        kept << line;
    }
    return kept.join('\n');
}

// Asks `service` (null: the one in use there and then) on the user-interface thread for a caller
// on another thread; a stop of the calling worker ends the wait.
int32_t askOnUiThread(InteractionService* service, MessageBoxRequest request)
{
    if (!request.stop.stop_possible())
        request.stop = currentWorkerStopToken();
    auto answer = std::make_shared<int32_t>(messageBoxStopped);
    const std::stop_token stop = request.stop;
    auto ask = [service, answer, request = std::move(request)] {
        *answer = (service != nullptr ? *service : interactionService()).messageBox(request);
    };
    return runOnUiThread(std::move(ask), stop) ? *answer : messageBoxStopped;
}

class DesktopInteraction : public InteractionService
{
public:
    int32_t messageBox(const MessageBoxRequest& request) override
    {
        if (!isUiThread())
            return askOnUiThread(this, request);
        QMessageBox box(ownerWidget(request.owner));
        box.setWindowTitle(QString::fromStdString(boxTextShown(request.caption)));
        const QRect screen = box.screen() != nullptr ? box.screen()->availableGeometry() : QRect(0, 0, 640, 480);
        box.setText(breakableText(
            textFittingScreen(QString::fromStdString(boxTextShown(request.text)), QFontMetrics(box.font()), screen)));
        switch (request.type & MB_ICONMASK)
        {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        if ((request.type & MB_TOPMOST) != 0)
            box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.setWindowModality(Qt::ApplicationModal);
        const std::vector<int32_t> answers = answersOf(request.type);
        std::vector<QPushButton*> buttons;
        for (int32_t answer : answers)
            buttons.push_back(box.addButton(buttonText(answer), QMessageBox::AcceptRole));
        const size_t defaultIndex =
            ((request.type & MB_DEFMASK) >> 8) < answers.size() ? ((request.type & MB_DEFMASK) >> 8) : 0;
        box.setDefaultButton(buttons[defaultIndex]);
        const bool cancellable = std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end();
        if (cancellable || answers.size() == 1)
            box.setEscapeButton(
                buttons[cancellable ? std::find(answers.begin(), answers.end(), IDCANCEL) - answers.begin() : 0]);
        // A stop comes from any thread: the box is closed by its own thread.
        std::stop_callback closeOnStop(request.stop, [&box] {
            QMetaObject::invokeMethod(
                &box, [&box] { box.done(0); }, Qt::QueuedConnection);
        });
        runModal([&] { return box.exec(); });
        if (request.stop.stop_requested())
            return messageBoxStopped;
        for (size_t index = 0; index < buttons.size(); ++index)
            if (box.clickedButton() == buttons[index])
                return answers[index];
        return cancellable ? IDCANCEL : answers.front();
    }

    void beep(uint32_t) override { QApplication::beep(); }

    bool chooseColour(const ColourRequest& request, uint32_t& chosen, std::array<uint32_t, 16>& custom) override
    {
        for (int index = 0; index < 16; ++index)
            QColorDialog::setCustomColor(index, qtColour(custom[index]));
        QColorDialog dialog(ownerWidget(request.owner));
        if ((request.flags & CC_RGBINIT) != 0)
            dialog.setCurrentColor(qtColour(request.initialColour));
        const bool accepted = runModal([&] { return dialog.exec(); }) == QDialog::Accepted;
        for (int index = 0; index < 16; ++index)
            custom[index] = fromQColor(QColorDialog::customColor(index));
        if (accepted)
            chosen = fromQColor(dialog.selectedColor());
        return accepted;
    }

    bool chooseFile(FileDialogRequest& request) override
    {
        QFileDialog dialog(ownerWidget(request.owner), QString::fromStdString(request.title));
        QStringList filters;
        for (const FileFilter& filter : request.filters)
            filters << QString::fromStdString(filter.description) + " (" +
                    QString::fromStdString(filter.patterns).replace(';', ' ') + ")";
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.filterIndex - 1]);
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save || (request.flags & OFN_FILEMUSTEXIST) == 0 ? QFileDialog::AnyFile
                                                                                    : QFileDialog::ExistingFile);
        if (request.save && (request.flags & OFN_OVERWRITEPROMPT) == 0)
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!request.defaultExtension.empty())
            dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
        if (!request.fileName.empty())
            dialog.selectFile(QString::fromStdString(request.fileName));
        if (runModal([&] { return dialog.exec(); }) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        request.fileName = dialog.selectedFiles().front().toStdString();
        // With the details hidden, Qt may answer the filter as shown: without its last "(...)".
        const QString chosen = dialog.selectedNameFilter();
        request.filterIndex = 0;
        for (qsizetype index = 0; index < filters.size() && request.filterIndex == 0; ++index)
            if (filters[index] == chosen || filters[index].left(filters[index].lastIndexOf('(')).simplified() == chosen)
                request.filterIndex = static_cast<int32_t>(index) + 1;
        return true;
    }

    bool openDocument(const std::string& path, std::string& error) override
    {
        if (!QFileInfo::exists(QString::fromStdString(path)))
        {
            error = "The file does not exist.";
            return false;
        }
        if (!QProcess::startDetached("xdg-open", {QString::fromStdString(path)}))
        {
            error = "xdg-open could not be started.";
            return false;
        }
        return true;
    }

    bool print(const PrintRequest& request, const PageDrawer& drawPage) override
    {
        QPrinter& printer = runPrinter();
        switch (request.kind)
        {
        case PrintDialogKind::setup: {
            QPageSetupDialog dialog(&printer, ownerWidget(request.owner));
            return runModal([&] { return dialog.exec(); }) == QDialog::Accepted;
        }
        case PrintDialogKind::preview: {
            QPrintPreviewDialog dialog(&printer, ownerWidget(request.owner));
            QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                             [&](QPrinter* shown) { printPage(*shown, request, drawPage); });
            runModal([&] { return dialog.exec(); });
            return true;
        }
        case PrintDialogKind::print:
        default: {
            QPrintDialog dialog(&printer, ownerWidget(request.owner));
            if (runModal([&] { return dialog.exec(); }) != QDialog::Accepted)
                return false;
            return printPage(printer, request, drawPage);
        }
        }
    }
    void customizeToolbar(Toolbar& toolbar) override
    {
        runModal([&] { runToolbarCustomizeDialog(toolbar); });
    }
};

DesktopInteraction desktopInteraction;
InteractionService* currentService = nullptr;

} // namespace

InteractionService& interactionService()
{
    return currentService != nullptr ? *currentService : desktopInteraction;
}

InteractionService* setInteractionService(InteractionService* service)
{
    InteractionService* previous = currentService;
    currentService = service;
    return previous;
}

std::string boxTextShown(const std::string& text)
{
    const std::string ellipsis = "...";
    std::string shown;
    size_t lines = 0;
    for (size_t start = 0; start <= text.size(); ++lines)
    {
        if (lines == boxLineCount)
            return shown + ellipsis;
        const size_t end = std::min(text.find('\n', start), text.size());
        size_t length = end - start;
        if (length > boxLineLength)
        {
            length = boxLineLength - ellipsis.size();
            // Back to the first byte of a UTF-8 character.
            while (length > 0 && (static_cast<unsigned char>(text[start + length]) & 0xC0) == 0x80)
                --length;
        }
        shown.append(text, start, length);
        if (length < end - start)
            shown += ellipsis;
        if (end < text.size())
            shown += '\n';
        start = end + 1;
    }
    return shown;
}

int32_t defaultMessageBoxAnswer(uint32_t type)
{
    const std::vector<int32_t> answers = answersOf(type);
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < answers.size() ? answers[index] : answers.front();
}

int32_t messageBox(WindowHandle owner, const std::string& text, const std::string& caption, uint32_t type)
{
    MessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = caption;
    request.type = type;
    if (!isUiThread())
        return askOnUiThread(nullptr, std::move(request));
    return interactionService().messageBox(request);
}

void messageBeep(uint32_t type)
{
    interactionService().beep(type);
}

std::array<uint32_t, 16>& customColours()
{
    static std::array<uint32_t, 16> colours = [] {
        std::array<uint32_t, 16> white;
        white.fill(0xFFFFFF);
        return white;
    }();
    return colours;
}

bool chooseColour(WindowHandle owner, uint32_t& colour, uint32_t flags)
{
    ColourRequest request;
    request.owner = owner;
    request.initialColour = colour;
    request.flags = flags;
    uint32_t chosen = colour;
    if (!interactionService().chooseColour(request, chosen, customColours()))
        return false;
    colour = chosen & 0x00FFFFFF;
    return true;
}

bool chooseFile(FileDialogRequest& request)
{
    return interactionService().chooseFile(request);
}

bool openDocument(const std::string& path)
{
    std::string error;
    if (interactionService().openDocument(path, error))
        return true;
    const std::string caption = Application::instance() != nullptr ? Application::instance()->name() : "";
    messageBox(WindowHandle::None, "Could not open \"" + path + "\":\n" + error, caption, MB_OK | MB_ICONERROR);
    return false;
}

// ---- Scripted --------------------------------------------------------------------------------------

ScriptedInteraction::ScriptedInteraction() : previous_(setInteractionService(this))
{
}

ScriptedInteraction::~ScriptedInteraction()
{
    setInteractionService(previous_);
}

int32_t ScriptedInteraction::messageBox(const MessageBoxRequest& request)
{
    boxes.push_back(request);
    if (boxAnswers.empty())
        return defaultMessageBoxAnswer(request.type);
    const int32_t answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

void ScriptedInteraction::beep(uint32_t type)
{
    beeps.push_back(type);
}

bool ScriptedInteraction::chooseColour(const ColourRequest& request, uint32_t& chosen, std::array<uint32_t, 16>&)
{
    colourRequests.push_back(request);
    if (colourAnswers.empty())
        return false;
    const std::optional<uint32_t> answer = colourAnswers.front();
    colourAnswers.pop_front();
    if (!answer)
        return false;
    chosen = *answer;
    return true;
}

bool ScriptedInteraction::chooseFile(FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return false;
    const std::optional<FileAnswer> answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer)
        return false;
    request.fileName = answer->path;
    request.filterIndex = answer->filterIndex;
    return true;
}

bool ScriptedInteraction::print(const PrintRequest& request, const PageDrawer& drawPage)
{
    printRequests.push_back(request);
    if (printAnswers.empty())
        return false;
    const std::optional<std::string> answer = printAnswers.front();
    printAnswers.pop_front();
    if (!answer)
        return false;
    return request.kind == PrintDialogKind::setup || printToPdfFile(*answer, request, drawPage);
}

void ScriptedInteraction::customizeToolbar(Toolbar& toolbar)
{
    customizedToolbars.push_back(toolbar.handle());
    if (customizeAnswers.empty())
        return;
    const std::function<void(Toolbar&)> answer = std::move(customizeAnswers.front());
    customizeAnswers.pop_front();
    if (answer)
        answer(toolbar);
}

bool ScriptedInteraction::openDocument(const std::string& path, std::string& error)
{
    openedDocuments.push_back(path);
    if (!documentsOpen)
        error = "No program opens it.";
    return documentsOpen;
}

} // namespace platform
