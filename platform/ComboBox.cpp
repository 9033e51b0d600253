#include "platform/ComboBox.h"

#include "platform/qt/ApplicationObject.h"
#include "platform/qt/LineEditSelection.h"
#include "platform/qt/OwnerTextColour.h"
#include "platform/SystemValues.h"
#include "platform/qt/RichControlsQt.h"
#include "platform/qt/SortedPosition.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QProxyStyle>
#include <QStyle>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace platform
{
namespace
{

// The list drops below the field, as tall as the combo's height allows, in every toolkit style
// (some would open it over the field, as tall as its items).
class DroppedListStyle : public QProxyStyle
{
public:
    DroppedListStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
};

// The combo's widget. The program gives the window the height of the field with its list
// dropped; the widget is the closed field, one line high, and the rest is the list's height.
class ComboWidget : public QComboBox
{
public:
    ComboWidget(WindowHandle handle, QWidget* parent) : QComboBox(parent), handle(handle)
    {
        setStyle(applicationObject<DroppedListStyle>());
    }

    WindowHandle handle;
    int droppedHeight = 0;

    int fieldHeight() const
    {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QSize text(0, std::max(fontMetrics().height(), iconSize().height() + 2));
        return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this).height();
    }

    QRect place(const QRect& requested)
    {
        droppedHeight = requested.height();
        return {requested.topLeft(), QSize(requested.width(), fieldHeight())};
    }

    void showPopup() override
    {
        const WindowHandle self = handle;
        // The owner may fill the list now; the list opens with what it holds afterwards.
        guardedCall([&] { sendCommandNotify(self, CBN_DROPDOWN); });
        if (WindowState::of(self) == nullptr)
            return;
        const int rowHeight = count() > 0 ? std::max(1, view()->sizeHintForRow(0)) : fontMetrics().height();
        setMaxVisibleItems(std::max(1, (droppedHeight - fieldHeight()) / rowHeight));
        // The dropped list takes the mouse, as in the window system: a window that held the
        // capture loses it (it would otherwise keep the pointer from the list).
        guardedCall([] { captureLost(captureState()); });
        if (WindowState::of(self) == nullptr)
            return;
        QComboBox::showPopup();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        QComboBox::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            resize(width(), fieldHeight());
    }
};

QWidget* makeComboBox(WindowState* state, QWidget* parent)
{
    auto* combo = new ComboWidget(state->handle, parent);
    combo->setEditable((state->style & 0x3) == CBS_DROPDOWN);
    combo->setInsertPolicy(QComboBox::NoInsert);
    const WindowHandle handle = state->handle;
    // Only the user's own actions emit these two signals; code changes never do.
    QObject::connect(combo, &QComboBox::activated,
                     [handle](int) { guardedCall([&] { sendCommandNotify(handle, CBN_SELCHANGE); }); });
    if (QLineEdit* edit = combo->lineEdit())
    {
        QObject::connect(edit, &QLineEdit::textEdited,
                         [handle](const QString&) { guardedCall([&] { sendCommandNotify(handle, CBN_EDITCHANGE); }); });
        useOwnerTextColour(*edit);
    }
    return combo;
}

QRect placeComboBox(WindowState* state, const QRect& requested)
{
    return static_cast<ComboWidget*>(state->widget)->place(requested);
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
    registerRichControlClass(ComboBox::kClassName, CS_DBLCLKS,
                             {&makeComboBox, &setComboText, &comboText, &placeComboBox});
    return true;
}();

} // namespace

bool ComboBox::create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id)
{
    return Window::create(kClassName, "", style | WS_CHILD, rect, parent, id);
}

int ComboBox::addString(const std::string& text)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    if (combo == nullptr || (style() & CBS_SORT) == 0)
        return insertString(-1, text);
    return insertString(
        sortedPosition(combo->count(), QString::fromStdString(text), [&](int row) { return combo->itemText(row); }),
        text);
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

bool ComboBox::editSel(int& start, int& end) const
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    QLineEdit* edit = combo != nullptr ? combo->lineEdit() : nullptr;
    if (edit == nullptr)
        return false;
    const LineEditSelection selection = lineEditSelection(*edit);
    start = selection.start;
    end = selection.end;
    return true;
}

bool ComboBox::setEditSel(int start, int end)
{
    QComboBox* combo = controlWidget<QComboBox>(*this);
    QLineEdit* edit = combo != nullptr ? combo->lineEdit() : nullptr;
    if (edit == nullptr)
        return false;
    selectInLineEdit(*edit, start, end);
    return true;
}

} // namespace platform
