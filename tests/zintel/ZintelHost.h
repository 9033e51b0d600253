#pragma once

// The host program with the OpenGL view type as its only view type and the rectangle shape as
// its only shape, and one document window showing the view: what the OpenGL view's tests and
// benchmarks draw and pick in. Made once per program and kept.

#include "Lumbra/CrossSectionShapes.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/MAI_View_VornInterface.h"
#include "VornInterface/VornInterfaceApp.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "plugins/PluginManager.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/GlWindow.h"
#include "platform/Surface.h"
#include "tests/core/ModelFixture.h"
#include "tests/host/HostApplicationForTests.h"

#include <GL/glu.h>

#include <cstdlib>
#include <string>

struct ZintelHost
{
    // Empty when GL works here; otherwise why it does not.
    std::string noGl;
    CMainFrame* frame = nullptr;
    zintel::PluginViewOpenGL* viewType = nullptr;
    lumbra::PluginShapeRectangle* rectangle = nullptr;

    static ZintelHost& instance()
    {
        static ZintelHost* host = new ZintelHost;
        return *host;
    }

    CVornInterfaceView* view() const
    {
        return frame != nullptr ? dynamic_cast<CVornInterfaceView*>(frame->activeView()) : nullptr;
    }
    MAI_View* viewInterface() const { return view() != nullptr ? view()->viewInterface() : nullptr; }
    zintel::OpenGLView* info() const
    {
        return viewInterface() != nullptr ? dynamic_cast<zintel::OpenGLView*>(viewInterface()->viewTypeInfos) : nullptr;
    }
    VornDocument& document() const { return viewInterface()->document->document; }

    void paint() const
    {
        platform::Application::instance()->processMessages();
        view()->invalidate(false);
        view()->updateWindow();
    }
    // The window pixel (y down) of the last paint, 0x00BBGGRR.
    uint32_t pixel(int x, int y) const { return platform::Surface::colourOf(view()->surface()->pixel(x, y)); }

    // A new cross-section of the model: a full square of the given side.
    VornCrossSection* squareSection(ModelDocument& model, double side) const
    {
        VornCrossSection* section = model.crossSections->add();
        rectangle->applyToCrossSection(section);
        rectangle->setBoolParameter(0, section, true);
        rectangle->setBoolParameter(3, section, true);
        rectangle->setDoubleParameter(1, section, side);
        rectangle->applyToCrossSection(section);
        return section;
    }

    // Where a model point shows in the window (y down), by the matrices of the last frame.
    platform::Point windowPointOf(double x, double y, double z) const
    {
        const zintel::OpenGLView& state = *info();
        double wx = 0.0, wy = 0.0, wz = 0.0;
        gluProject(x, y, z, state.modelviewMatrix, state.projectionMatrix, state.viewport, &wx, &wy, &wz);
        return {static_cast<int32_t>(wx), static_cast<int32_t>(state.viewport[3] - wy)};
    }

private:
    ZintelHost()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        CVornInterfaceApp& app = testHost();
        if (platform::GlSurface probe(4, 4); !probe.makeCurrent())
        {
            noGl = probe.error();
            return;
        }
        platform::releaseGlCurrent();
        registerHostPluginTypes(app.registry(), app.mai());
        rectangle = new lumbra::PluginShapeRectangle;
        rectangle->mai = &app.mai();
        app.registry().addPlugin(rectangle);
        viewType = new zintel::PluginViewOpenGL;
        viewType->module = zintel::thisModule();
        viewType->mai = &app.mai();
        app.registry().addPlugin(viewType);
        frame = new CMainFrame;
        frame->create();
        platform::Application::instance()->setMainWindow(frame);
        frame->show();
        frame->newDocument();
        platform::Application::instance()->processMessages();
    }
};
