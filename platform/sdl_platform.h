#pragma once
// The platform the game runs on: SDL2 for the window, the OpenGL context,
// input, the clock, message boxes and the audio device.
#include "platform/platform.h"

#include <array>
#include <string>

struct SDL_Window;

namespace platform {

class SdlPlatform : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;

    WindowError openWindow(int width, int height, const char* title) override;
    void closeWindow() override;
    bool windowOpen() const override { return window_ != nullptr; }
    void swapBuffers() override;
    bool setFullscreen(bool on) override;
    bool isFullscreen() const override;
    void pumpEvents(WindowListener& listener) override;
    void showSystemCursor(bool shown) override;
    void* glProcAddress(const char* name) override;

    void messageBox(const char* caption, const char* text, MessageIcon icon) override;
    uint32_t ticks() override;
    uint32_t freshSeed() override;

    bool readKeyboard(uint8_t keys[kKeyStateSize]) override;
    bool keyPressedSinceLastQuery(int scanCode) override;
    void pointerPosition(int& x, int& y) override;
    void clientSize(int& width, int& height) override;
    bool readMouseButtons(MouseButtons& buttons) override;
    void setTextInput(bool on) override;
    std::string takeTypedText() override;

    bool openAudio(AudioSource& source, int rate, AudioFormat& format) override;
    void closeAudio() override;
    void lockAudio() override;
    void unlockAudio() override;

    std::string baseFolder() override;

    // Why the last openWindow failed, in SDL's words, with the video driver
    // in use; empty after a success.
    const std::string& windowFailureDetail() const { return windowFailureDetail_; }

private:
    bool canShowBoxes() const;
    // Records and prints SDL's reason for `error`, and returns it.
    WindowError windowFailure(WindowError error, const char* what);

    std::string windowFailureDetail_;

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool videoStarted_ = false;
    int windowedWidth_ = 0, windowedHeight_ = 0;  // the window's size before fullscreen
    uint32_t audioDevice_ = 0;
    // Presses seen by the event pump and not yet queried, by scan code.
    std::array<bool, kKeyStateSize> pressedSince_{};
    bool textInput_ = false;
    std::string typed_;  // collected while textInput_
};

// Maps an SDL scancode to the DirectInput-style scan code the game uses,
// or 0 for keys the game has no code for.
int scanCodeFromSdl(int sdlScancode);

} // namespace platform
