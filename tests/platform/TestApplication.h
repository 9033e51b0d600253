#pragma once

#include <QApplication>

// The one QApplication of a widget test program. It is made on first use and never destroyed:
// Qt's test helpers keep statics that must not outlive it at exit.
inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}
