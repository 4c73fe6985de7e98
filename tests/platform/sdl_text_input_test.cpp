// The SDL platform's typed text, fed with events as SDL would queue them.
#include "platform/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct IgnoreWindow : platform::WindowListener {
    void onActivate(bool) override {}
    void onClose() override {}
    void onSize(int, int) override {}
};

void pushText(const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

void pushKey(SDL_Scancode key)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = key;
    SDL_PushEvent(&e);
}

} // namespace

TEST(SdlTextInput, TypedTextArrivesOnlyWhileAskedFor)
{
    if (!std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform::SdlPlatform sdl;
    ASSERT_EQ(sdl.openWindow(64, 64, "text input"), platform::WindowError::None);
    IgnoreWindow listener;
    auto typed = [&] {
        sdl.pumpEvents(listener);
        return sdl.takeTypedText();
    };

    pushText("x");
    pushKey(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(typed(), "") << "nobody asked for text yet";

    sdl.setTextInput(true);
    pushText("7k");
    pushKey(SDL_SCANCODE_BACKSPACE);
    pushText("\xC3\xA9");
    pushKey(SDL_SCANCODE_RETURN);
    pushKey(SDL_SCANCODE_KP_ENTER);
    EXPECT_EQ(typed(), "7k\b\xC3\xA9\r\r");
    EXPECT_EQ(typed(), "") << "taken once";

    sdl.setTextInput(false);
    pushText("y");
    EXPECT_EQ(typed(), "");
}
