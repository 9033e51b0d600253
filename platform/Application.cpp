#include "platform/Application.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

namespace platform
{

struct Application::State
{
    State(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
    std::unique_ptr<QMainWindow> mainWindow;
};

Application::Application(int& argc, char** argv, const std::string& name) : state_(std::make_unique<State>(argc, argv))
{
    QApplication::setApplicationName(QString::fromStdString(name));
}

Application::~Application() = default;

int Application::run()
{
    return QApplication::exec();
}

void Application::showMainWindow(const std::string& title)
{
    state_->mainWindow = std::make_unique<QMainWindow>();
    state_->mainWindow->setWindowTitle(QString::fromStdString(title));
    // Without a window manager (Xvfb) maximising does nothing: cover the work area first.
    if (QScreen* screen = QApplication::primaryScreen())
        state_->mainWindow->setGeometry(screen->availableGeometry());
    state_->mainWindow->showMaximized();
}

} // namespace platform
