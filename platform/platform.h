#pragma once
// The narrow door between the game and the machine. Game code calls only
// these operations; the SDL implementation serves the real game and the
// scripted one serves tests (fixed clock, scripted input, recorded boxes).
#include <cstdint>
#include <string>

namespace platform {

// Why opening the window failed, in the order the start-up checks run.
enum class WindowError {
    None,
    RegisterClass,     // the windowing system could not be initialised
    CreateWindow,      // no window, or no display to show it on
    DeviceContext,
    PixelFormat,       // no double-buffered RGBA format with a 24-bit depth buffer
    SetPixelFormat,
    RenderingContext,  // no OpenGL context
    ActivateContext,   // the context could not be made current
};

enum class MessageIcon { Exclamation, Information, Error };

// Notifications the window hands to the game's window procedure while
// events are pumped.
class WindowListener {
public:
    virtual ~WindowListener() = default;
    virtual void onActivate(bool active) = 0;
    virtual void onClose() = 0;
    virtual void onSize(int width, int height) = 0;
};

// Held keyboard state indexed by DirectInput-style scan code (bit 7 = down).
constexpr int kKeyStateSize = 256;

struct MouseButtons {
    bool left = false;
    bool right = false;
};

// Pulls mixed samples for the audio device; called on the audio thread.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `frames` interleaved stereo frames of signed 16-bit samples.
    virtual void mix(int16_t* out, int frames) = 0;
};

struct AudioFormat {
    int rate = 0;
    int channels = 0;
    int bufferFrames = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Window and OpenGL context ------------------------------------------
    // Opens a window with the given client size at (0, 0) and makes a
    // double-buffered RGBA OpenGL context with a 24-bit depth buffer current.
    virtual WindowError openWindow(int width, int height, const char* title) = 0;
    // Releases the context and the window; safe when nothing is open.
    virtual void closeWindow() = 0;
    virtual bool windowOpen() const = 0;
    virtual void swapBuffers() = 0;
    // Switches the window to fullscreen at the desktop's resolution, or back
    // to the window as it was; size notifications follow. False when the
    // system refuses.
    virtual bool setFullscreen(bool on) = 0;
    virtual bool isFullscreen() const = 0;
    // Hands every waiting window event to the listener; never waits.
    virtual void pumpEvents(WindowListener& listener) = 0;
    virtual void showSystemCursor(bool shown) = 0;
    // Address of an OpenGL entry point, or null.
    virtual void* glProcAddress(const char* name) = 0;

    // Message boxes: always printed as "CAPTION: text" on stderr, shown as
    // a box only where a person can answer it.
    virtual void messageBox(const char* caption, const char* text, MessageIcon icon) = 0;

    // Clock: milliseconds, 32 bits, wrapping.
    virtual uint32_t ticks() = 0;
    // A 32-bit value that differs from call to call and from run to run, for
    // seeding the generator; ticks() starts near 0 on every run.
    virtual uint32_t freshSeed() = 0;

    // Input ---------------------------------------------------------------
    // Copies the held state of every key into `keys`; false when no
    // keyboard can be read (the game then uses keyPressedSinceLastQuery).
    virtual bool readKeyboard(uint8_t keys[kKeyStateSize]) = 0;
    // Whether the key with this scan code went down since the last query of
    // it: the fallback reading, like an asynchronous key state's bit 0.
    virtual bool keyPressedSinceLastQuery(int scanCode) = 0;
    // Pointer position in window client pixels.
    virtual void pointerPosition(int& x, int& y) = 0;
    // Current client size in pixels (the pointer is scaled from it).
    virtual void clientSize(int& width, int& height) = 0;
    // False when no mouse can be read.
    virtual bool readMouseButtons(MouseButtons& buttons) = 0;
    // Starts or stops collecting typed text; off until started.
    virtual void setTextInput(bool on) = 0;
    // The text typed since the last call while collecting (UTF-8, as the
    // keyboard layout gives it), with '\b' for each Backspace and '\r' for
    // each Enter, key repeats included; empty when not collecting.
    virtual std::string takeTypedText() = 0;

    // Audio -----------------------------------------------------------------
    // Opens the output device and starts pulling from `source`; false with no
    // device. `format` receives what was obtained.
    virtual bool openAudio(AudioSource& source, int rate, AudioFormat& format) = 0;
    virtual void closeAudio() = 0;
    // Brackets changes to state the audio thread reads.
    virtual void lockAudio() = 0;
    virtual void unlockAudio() = 0;

    // Files -----------------------------------------------------------------
    // Folder holding the executable, ending in '/'.
    virtual std::string baseFolder() = 0;
};

// The platform the game runs on; set once before the game starts.
Platform& current();
void setCurrent(Platform* p);

} // namespace platform
