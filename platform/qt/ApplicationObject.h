#pragma once

// Private to the platform library: one object of a kind for the running application.

#include <QCoreApplication>
#include <QPointer>

namespace platform
{

// The one T of the running application, made on first use; the application owns it, so a test
// that makes several applications gets a fresh one with each.
template <class T>
T* applicationObject()
{
    static QPointer<T> object;
    if (object.isNull())
    {
        object = new T;
        object->setParent(QCoreApplication::instance());
    }
    return object.data();
}

} // namespace platform
