#pragma once
// A platform for tests: the clock advances a fixed number of milliseconds
// per buffer swap, input is whatever the test sets, message boxes are
// recorded, and window events are queued by the test. The window and the
// OpenGL context come from a real platform when one is given, so frames can
// be drawn and read back.
#include "platform/platform.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct RecordedBox {
    std::string caption;
    std::string text;
    MessageIcon icon;
};

class ScriptedPlatform : public Platform {
public:
    // `real` supplies the window and GL context (may be null: then opening
    // a window fails with `windowFailure`, or succeeds without GL when that
    // is None).
    explicit ScriptedPlatform(Platform* real = nullptr);

    // Scripting ---------------------------------------------------------------
    uint32_t clockMs = 0;
    uint32_t msPerFrame = 16;
    // Called at every swap, before the real one, with the swap's index
    // (0 for the first). The test reads pixels and sets the next input here.
    std::function<void(int swapIndex)> onSwap;
    // Called right after the real swap (benchmarks time whole frames here).
    std::function<void(int swapIndex)> onSwapped;
    int swapCount = 0;

    uint8_t keys[kKeyStateSize] = {};
    bool keyboardAvailable = true;
    bool pressedSince[kKeyStateSize] = {};
    int pointerX = 0, pointerY = 0;
    int clientWidth = 640, clientHeight = 480;
    // The client size in fullscreen when there is no real window to ask.
    int desktopWidth = 1024, desktopHeight = 768;
    MouseButtons buttons;
    bool mouseAvailable = true;
    WindowError windowFailure = WindowError::None;
    std::vector<RecordedBox> boxes;
    std::string assetFolder;  // baseFolder(); the real one when empty
    std::vector<uint32_t> seeds;  // handed out by freshSeed() in order
    // Typed text ('\b' Backspace, '\r' Enter) handed out by takeTypedText()
    // while text input is on; dropped while it is off, as a keyboard's is.
    std::string typedText;
    bool textInputOn = false;

    void holdKey(int scanCode, bool down) { keys[scanCode] = down ? 0x80 : 0; }
    void queueActivate(bool active);
    void queueClose();
    void queueSize(int width, int height);

    // Platform ------------------------------------------------------------------
    WindowError openWindow(int width, int height, const char* title) override;
    void closeWindow() override;
    bool windowOpen() const override { return open_; }
    void swapBuffers() override;
    // Passed on to the real window when there is one; the client size then
    // becomes the real one (else the desktop's or the windowed one) and a
    // size event is queued.
    bool setFullscreen(bool on) override;
    bool isFullscreen() const override { return fullscreen_; }
    void pumpEvents(WindowListener& listener) override;
    void showSystemCursor(bool shown) override { cursorShown = shown; }
    void* glProcAddress(const char* name) override;
    void messageBox(const char* caption, const char* text, MessageIcon icon) override;
    uint32_t ticks() override { return clockMs; }
    // The next of `seeds`, or the clock when none are left, so a test that
    // fixes the clock fixes the terrain.
    uint32_t freshSeed() override;
    bool readKeyboard(uint8_t out[kKeyStateSize]) override;
    bool keyPressedSinceLastQuery(int scanCode) override;
    void pointerPosition(int& x, int& y) override;
    void clientSize(int& width, int& height) override;
    bool readMouseButtons(MouseButtons& out) override;
    void setTextInput(bool on) override { textInputOn = on; }
    std::string takeTypedText() override;
    bool openAudio(AudioSource& source, int rate, AudioFormat& format) override;
    void closeAudio() override;
    void lockAudio() override;
    void unlockAudio() override;
    std::string baseFolder() override;

    bool cursorShown = true;
    // Audio goes to the real platform only when this is set (a test using
    // SDL's disk driver, say); otherwise there is no device.
    bool audioFromReal = false;

private:
    struct Event {
        enum Kind { Activate, Close, Size } kind;
        int a = 0, b = 0;
    };
    // Swallows the real window's events so only scripted ones arrive.
    struct NullListener : WindowListener {
        void onActivate(bool) override {}
        void onClose() override {}
        void onSize(int, int) override {}
    };

    Platform* real_;
    bool open_ = false;
    bool fullscreen_ = false;
    int windowedWidth_ = 0, windowedHeight_ = 0;
    std::vector<Event> events_;
};

} // namespace platform
