// What the window layer costs: a message sent through a handle, a posted message through the
// loop, and a dialog of thirteen controls built from its template and destroyed again.
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{

platform::Application& application()
{
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    static platform::Application* instance = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new platform::Application(argc, argv, "Quorl2");
    }();
    return *instance;
}

class CountingWindow : public platform::Window
{
public:
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override
    {
        if (message == platform::WM_USER)
            return ++count;
        return Window::windowProc(message, wParam, lParam);
    }
    int64_t count = 0;
};

void BM_SendMessageThroughHandle(benchmark::State& state)
{
    application();
    CountingWindow window;
    window.create("Window", "", platform::WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, nullptr);
    const platform::WindowHandle handle = window.handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::sendMessage(handle, platform::WM_USER));
}
BENCHMARK(BM_SendMessageThroughHandle);

void BM_PostAndDispatch1000Messages(benchmark::State& state)
{
    platform::Application& app = application();
    CountingWindow window;
    window.create("Window", "", platform::WS_OVERLAPPEDWINDOW, {0, 0, 100, 100}, nullptr);
    for (auto _ : state)
    {
        for (int message = 0; message < 1000; ++message)
            window.postMessage(platform::WM_USER);
        app.processMessages();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PostAndDispatch1000Messages)->Unit(benchmark::kMillisecond);

void BM_DialogFromTemplate(benchmark::State& state)
{
    platform::Application& app = application();
    using namespace platform;
    DialogTemplate dialogTemplate;
    dialogTemplate.rect = {0, 0, 150, 125};
    dialogTemplate.style = WS_CHILD | WS_VISIBLE;
    const char* classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar"};
    for (int32_t index = 0; index < 13; ++index)
    {
        DialogItemTemplate item;
        item.className = classes[index % 5];
        item.id = 1000 + index;
        item.rect = {5, 5 + index * 8, 60, 7};
        item.style = WS_VISIBLE | WS_TABSTOP;
        item.text = "text";
        dialogTemplate.items.push_back(item);
    }
    Window frame;
    frame.create("Window", "", WS_OVERLAPPEDWINDOW, {0, 0, 400, 400}, nullptr);
    for (auto _ : state)
    {
        Dialog dialog;
        dialog.createIndirect(dialogTemplate, &frame, ModuleHandle::None);
        dialog.destroyWindow();
        app.processMessages(); // the toolkit deletes the widgets
    }
}
BENCHMARK(BM_DialogFromTemplate)->Unit(benchmark::kMicrosecond);

} // namespace
