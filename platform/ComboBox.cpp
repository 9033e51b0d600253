#include "platform/ComboBox.h"

#include "platform/SystemValues.h"
#include "platform/qt/RichControlsQt.h"

#include <QComboBox>
#include <QLineEdit>

namespace platform
{
namespace
{

QWidget* makeComboBox(WindowState* state, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable((state->style & 0x3) == CBS_DROPDOWN);
    combo->setInsertPolicy(QComboBox::NoInsert);
    const WindowHandle handle = state->handle;
    // Only the user's own actions emit these two signals; code changes never do.
    QObject::connect(combo, &QComboBox::activated,
                     [handle](int) { guardedCall([&] { sendCommandNotify(handle, CBN_SELCHANGE); }); });
    if (QLineEdit* edit = combo->lineEdit())
        QObject::connect(edit, &QLineEdit::textEdited, [handle](const QString&) {
            guardedCall([&] { sendCommandNotify(handle, CBN_EDITCHANGE); });
        });
    return combo;
}

// The window text is the edit field's text (a drop-list's: the selected item's); setting it is silent.
void setComboText(WindowState* state, const std::string& text)
{
    auto* combo = static_cast<QComboBox*>(state->widget);
    const QSignalBlocker block(combo);
    if (combo->isEditable())
        combo->setEditText(QString::fromStdString(text));
}

std::string comboText(const WindowState* state)
{
    return static_cast<const QComboBox*>(state->widget)->currentText().toStdString();
}

const bool comboClassRegistered = [] {
    registerRichControlClass(ComboBox::kClassName, CS_DBLCLKS, {&makeComboBox, &setComboText, &comboText});
    return true;
}();

} // namespace

bool ComboBox::create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id)
{
    return Window::create(kClassName, "", style | WS_CHILD, rect, parent, id);
}

int ComboBox::addString(const std::string& text)
{
    return insertString(-1, text);
}

int ComboBox::insertString(int index, const std::string& text)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr)
        return -1;
    if (index < 0 || index > combo->count())
        index = combo->count();
    const QSignalBlocker block(combo);
    const QString keptText = combo->currentText();
    const bool nothingSelected = combo->currentIndex() < 0;
    combo->insertItem(index, QString::fromStdString(text));
    // Qt selects the first item put into an empty combo; the system selects nothing.
    if (nothingSelected)
    {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(keptText);
    }
    return index;
}

int ComboBox::deleteString(int index)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr || index < 0 || index >= combo->count())
        return -1;
    const QSignalBlocker block(combo);
    combo->removeItem(index);
    return combo->count();
}

void ComboBox::resetContent()
{
    if (QComboBox* combo = controlWidget<QComboBox>(*this))
    {
        const QSignalBlocker block(combo);
        combo->clear();
    }
}

int ComboBox::count() const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    return combo != nullptr ? combo->count() : 0;
}

std::string ComboBox::itemText(int index) const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    return combo != nullptr ? combo->itemText(index).toStdString() : std::string();
}

std::intptr_t ComboBox::itemData(int index) const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr || index < 0 || index >= combo->count())
        return 0;
    return static_cast<std::intptr_t>(combo->itemData(index).toLongLong());
}

bool ComboBox::setItemData(int index, std::intptr_t data)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr || index < 0 || index >= combo->count())
        return false;
    combo->setItemData(index, QVariant::fromValue<qlonglong>(data));
    return true;
}

int ComboBox::findStringExact(int start, const std::string& text) const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    const int n = combo != nullptr ? combo->count() : 0;
    const QString wanted = QString::fromStdString(text);
    for (int step = 1; step <= n; ++step)
    {
        const int index = ((start < 0 || start >= n ? -1 : start) + step) % n;
        if (QString::compare(combo->itemText(index), wanted, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

int ComboBox::curSel() const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    return combo != nullptr ? combo->currentIndex() : -1;
}

int ComboBox::setCurSel(int index)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr)
        return -1;
    const QSignalBlocker block(combo);
    if (index < 0 || index >= combo->count())
    {
        combo->setCurrentIndex(-1);
        return -1;
    }
    combo->setCurrentIndex(index);
    return index;
}

} // namespace platform
