#include "platform/ComboBox.h"

#include "platform/ControlNotifications.h"
#include "platform/RichControlsQt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace platform
{

struct ComboBox::State
{
    Kind kind = Kind::DropList;
    QPointer<QComboBox> combo;
    std::function<void(std::uint32_t)> notify;

    void send(std::uint32_t code)
    {
        if (notify)
            guardedToolkitCall([&] { notify(code); });
    }
};

ComboBox::ComboBox(Kind kind) : state_(std::make_unique<State>())
{
    state_->kind = kind;
    auto* combo = new QComboBox;
    combo->setEditable(kind == Kind::DropDown);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Only the user's own actions emit these two signals; code changes never do.
    QObject::connect(combo, &QComboBox::activated, [this](int) { state_->send(notify_code::ComboSelectionChange); });
    if (QLineEdit* edit = combo->lineEdit())
        QObject::connect(edit, &QLineEdit::textEdited, [this](const QString&) {
            state_->send(notify_code::ComboEditChange);
        });
    state_->combo = combo;
}

ComboBox::~ComboBox()
{
    delete state_->combo.data();
}

ComboBox::Kind ComboBox::kind() const
{
    return state_->kind;
}

int ComboBox::addString(const std::string& text)
{
    return insertString(-1, text);
}

int ComboBox::insertString(int index, const std::string& text)
{
    if (index < 0 || index > count())
        index = count();
    const QSignalBlocker block(state_->combo);
    const QString keptText = state_->combo->currentText();
    const int keptSelection = state_->combo->currentIndex();
    state_->combo->insertItem(index, QString::fromStdString(text));
    // Qt selects the first item put into an empty combo; the system selects nothing.
    if (keptSelection < 0)
    {
        state_->combo->setCurrentIndex(-1);
        if (state_->combo->isEditable())
            state_->combo->setEditText(keptText);
    }
    return index;
}

int ComboBox::deleteString(int index)
{
    if (index < 0 || index >= count())
        return -1;
    const QSignalBlocker block(state_->combo);
    state_->combo->removeItem(index);
    return count();
}

void ComboBox::resetContent()
{
    const QSignalBlocker block(state_->combo);
    state_->combo->clear();
}

int ComboBox::count() const
{
    return state_->combo->count();
}

std::string ComboBox::itemText(int index) const
{
    return state_->combo->itemText(index).toStdString();
}

std::intptr_t ComboBox::itemData(int index) const
{
    if (index < 0 || index >= count())
        return 0;
    return static_cast<std::intptr_t>(state_->combo->itemData(index).toLongLong());
}

bool ComboBox::setItemData(int index, std::intptr_t data)
{
    if (index < 0 || index >= count())
        return false;
    state_->combo->setItemData(index, QVariant::fromValue<qlonglong>(data));
    return true;
}

int ComboBox::findStringExact(int start, const std::string& text) const
{
    const QString wanted = QString::fromStdString(text);
    const int n = count();
    for (int step = 1; step <= n; ++step)
    {
        const int index = ((start < 0 ? -1 : start) + step) % n;
        if (QString::compare(state_->combo->itemText(index), wanted, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

int ComboBox::curSel() const
{
    return state_->combo->currentIndex();
}

int ComboBox::setCurSel(int index)
{
    const QSignalBlocker block(state_->combo);
    if (index < 0 || index >= count())
    {
        state_->combo->setCurrentIndex(-1);
        return -1;
    }
    state_->combo->setCurrentIndex(index);
    return index;
}

std::string ComboBox::windowText() const
{
    return state_->combo->currentText().toStdString();
}

void ComboBox::setWindowText(const std::string& text)
{
    const QSignalBlocker block(state_->combo);
    if (state_->combo->isEditable())
        state_->combo->setEditText(QString::fromStdString(text));
}

void ComboBox::setNotificationHandler(std::function<void(std::uint32_t)> handler)
{
    state_->notify = std::move(handler);
}

QWidget* qtWidgetOf(ComboBox& control)
{
    return control.state().combo.data();
}

} // namespace platform
