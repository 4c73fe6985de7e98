// The SDL platform's typed text, fed with the events SDL queues for keys.
#include "platform/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(SdlTextInput, TypedTextArrivesOnlyWhileAskedFor)
{
    if (!std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform::SdlPlatform sdl;
    ASSERT_EQ(sdl.openWindow(64, 64, "text input"), platform::WindowError::None);
    struct : platform::WindowListener {
        void onActivate(bool) override {}
        void onClose() override {}
        void onSize(int, int) override {}
    } listener;
    // Text, then Backspace, Enter and keypad Enter as key presses.
    auto type = [&](const char* text) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, text, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
        for (SDL_Scancode key : {SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}) {
            e = SDL_Event{};
            e.type = SDL_KEYDOWN;
            e.key.keysym.scancode = key;
            SDL_PushEvent(&e);
        }
        sdl.pumpEvents(listener);
        return sdl.takeTypedText();
    };
    EXPECT_EQ(type("x"), "") << "nobody asked for text yet";
    sdl.setTextInput(true);
    EXPECT_EQ(type("7k\xC3\xA9"), "7k\xC3\xA9\b\r\r");
    EXPECT_EQ(sdl.takeTypedText(), "") << "taken once";
    sdl.setTextInput(false);
    EXPECT_EQ(type("y"), "");
}
