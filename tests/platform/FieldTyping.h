#pragma once

// A person typing into an edit of a page, key by key, and then leaving it.

#include "platform/Application.h"
#include "platform/InputSimulation.h"
#include "platform/Window.h"

#include <string>

// Gives the edit the focus, empties it (as typing over its selected text does) and types the text
// one key at a time, each key a change the page hears.
inline void typeKeyByKey(platform::Window& edit, const std::string& text)
{
    edit.setFocus();
    platform::Application::instance()->processMessages();
    edit.setWindowText("");
    for (const char key : text)
    {
        platform::simulateTyping(edit.handle(), std::string(1, key));
        platform::Application::instance()->processMessages();
    }
}

// The focus moves on to `next`, as a click or a Tab there moves it.
inline void leaveFor(platform::Window& next)
{
    next.setFocus();
    platform::Application::instance()->processMessages();
}
