#include "platform/sdl_platform.h"

#include "platform/x11_fullscreen.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace platform {
namespace {

struct KeyCode {
    SDL_Scancode sdl;
    int code;
};

// DirectInput-style codes: the PC set-1 make codes, extended keys with 0x80.
constexpr KeyCode kKeyCodes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04}, {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08}, {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13}, {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17}, {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A}, {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LCTRL, 0x1D}, {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25}, {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B}, {SDL_SCANCODE_Z, 0x2C}, {SDL_SCANCODE_X, 0x2D},
    {SDL_SCANCODE_C, 0x2E}, {SDL_SCANCODE_V, 0x2F}, {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32}, {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35}, {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38}, {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D}, {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40}, {SDL_SCANCODE_F7, 0x41}, {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43}, {SDL_SCANCODE_F10, 0x44}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, 0x46}, {SDL_SCANCODE_KP_7, 0x47}, {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49}, {SDL_SCANCODE_KP_MINUS, 0x4A}, {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C}, {SDL_SCANCODE_KP_6, 0x4D}, {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F}, {SDL_SCANCODE_KP_2, 0x50}, {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52}, {SDL_SCANCODE_KP_PERIOD, 0x53}, {SDL_SCANCODE_F11, 0x57},
    {SDL_SCANCODE_F12, 0x58}, {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_RCTRL, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_HOME, 0xC7},
    {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9}, {SDL_SCANCODE_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF}, {SDL_SCANCODE_DOWN, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_DELETE, 0xD3},
};

// Set by people and scripts that run the game where nobody can click a box
// away (Xvfb would block on it for ever).
constexpr const char* kNoBoxesVariable = "FERNHOLLOW_NO_MESSAGE_BOXES";

void SDLCALL audioCallback(void* userdata, Uint8* stream, int len)
{
    auto* source = static_cast<AudioSource*>(userdata);
    source->mix(reinterpret_cast<int16_t*>(stream), len / static_cast<int>(2 * sizeof(int16_t)));
}

bool offscreenDriver(const char* driver)
{
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool offscreenRequested()
{
    const char* hint = SDL_getenv("SDL_VIDEODRIVER");
    return hint && offscreenDriver(hint);
}

} // namespace

int scanCodeFromSdl(int sdlScancode)
{
    for (const KeyCode& k : kKeyCodes)
        if (k.sdl == sdlScancode)
            return k.code;
    return 0;
}

SdlPlatform::SdlPlatform() { SDL_Init(SDL_INIT_TIMER); }

SdlPlatform::~SdlPlatform()
{
    closeAudio();
    closeWindow();
    SDL_Quit();
}

WindowError SdlPlatform::windowFailure(WindowError error, const char* what)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* reason = SDL_GetError();
    const char* display = SDL_getenv("DISPLAY");
    windowFailureDetail_ = std::string(what) + " (video driver " + (driver ? driver : "none") + ", DISPLAY " +
                           (display ? display : "unset") +
                           (reason && *reason ? std::string(", SDL: ") + reason : std::string()) + ")";
    std::fprintf(stderr, "Fernhollow: %s\n", windowFailureDetail_.c_str());
    return error;
}

WindowError SdlPlatform::openWindow(int width, int height, const char* title)
{
    windowFailureDetail_.clear();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return windowFailure(WindowError::RegisterClass, "no video subsystem");
    videoStarted_ = true;
    // SDL quietly picks its offscreen driver when there is no display; a
    // window nobody can see is no window for a player.
    if (offscreenDriver(SDL_GetCurrentVideoDriver()) && !offscreenRequested())
        return windowFailure(WindowError::CreateWindow, "no display could be opened");

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window_ = SDL_CreateWindow(title, 0, 0, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    if (!window_)
        return windowFailure(WindowError::CreateWindow, "no window");
    context_ = SDL_GL_CreateContext(window_);
    if (!context_)
        return windowFailure(WindowError::RenderingContext, "no OpenGL context");
    if (SDL_GL_MakeCurrent(window_, context_) != 0)
        return windowFailure(WindowError::ActivateContext, "the OpenGL context cannot be made current");
    int doubleBuffered = 0, depth = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    if (!doubleBuffered || depth < 16)
        return windowFailure(WindowError::PixelFormat, "no double-buffered format with a depth buffer");
    // SDL collects text from the start on desktops; the game asks for it.
    if (!textInput_)
        SDL_StopTextInput();
    SDL_RaiseWindow(window_);
    return WindowError::None;
}

void SdlPlatform::closeWindow()
{
    if (context_) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }
}

void SdlPlatform::swapBuffers()
{
    if (window_)
        SDL_GL_SwapWindow(window_);
}

bool SdlPlatform::setFullscreen(bool on)
{
    if (!window_)
        return false;
    if (on == isFullscreen())
        return true;
    if (on)
        SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
    if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    if (on)
        coverDisplayIfNoWindowManager(window_);
    // Without a window manager nothing gives the window its old size back.
    if (!on && windowedWidth_ > 0 && windowedHeight_ > 0)
        SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
    return true;
}

bool SdlPlatform::isFullscreen() const
{
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlPlatform::pumpEvents(WindowListener& listener)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            listener.onClose();
            break;
        case SDL_KEYDOWN: {
            SDL_Scancode key = event.key.keysym.scancode;
            int code = scanCodeFromSdl(key);
            if (code)
                pressedSince_[code] = true;
            if (textInput_ && key == SDL_SCANCODE_BACKSPACE)
                typed_ += '\b';
            if (textInput_ && (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER))
                typed_ += '\r';
            break;
        }
        case SDL_TEXTINPUT:
            if (textInput_)
                typed_ += event.text.text;
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                listener.onActivate(true);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                listener.onActivate(false);
                break;
            case SDL_WINDOWEVENT_CLOSE:
                listener.onClose();
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                listener.onSize(event.window.data1, event.window.data2);
                break;
            default:
                break;
            }
            break;
        default:
            break;
        }
    }
}

void SdlPlatform::showSystemCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void* SdlPlatform::glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

bool SdlPlatform::canShowBoxes() const
{
    if (SDL_getenv(kNoBoxesVariable))
        return false;
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr;
    return !offscreenDriver(SDL_GetCurrentVideoDriver());
}

void SdlPlatform::messageBox(const char* caption, const char* text, MessageIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!canShowBoxes())
        return;
    Uint32 flags = icon == MessageIcon::Information ? SDL_MESSAGEBOX_INFORMATION
                   : icon == MessageIcon::Error     ? SDL_MESSAGEBOX_ERROR
                                                    : SDL_MESSAGEBOX_WARNING;
    SDL_ShowSimpleMessageBox(flags, caption, text, nullptr);
}

uint32_t SdlPlatform::ticks() { return SDL_GetTicks(); }

uint32_t SdlPlatform::freshSeed()
{
    // The kernel's generator; the high-resolution counter also goes in, in
    // case a random_device ever turns out deterministic.
    std::random_device device;
    uint64_t counter = SDL_GetPerformanceCounter();
    return device() ^ static_cast<uint32_t>(counter) ^ static_cast<uint32_t>(counter >> 32);
}

bool SdlPlatform::readKeyboard(uint8_t keys[kKeyStateSize])
{
    std::memset(keys, 0, kKeyStateSize);
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (!state)
        return false;
    for (const KeyCode& k : kKeyCodes)
        if (k.sdl < count && state[k.sdl])
            keys[k.code] = 0x80;
    return true;
}

bool SdlPlatform::keyPressedSinceLastQuery(int scanCode)
{
    if (scanCode < 0 || scanCode >= kKeyStateSize)
        return false;
    bool pressed = pressedSince_[scanCode];
    pressedSince_[scanCode] = false;
    return pressed;
}

void SdlPlatform::pointerPosition(int& x, int& y) { SDL_GetMouseState(&x, &y); }

void SdlPlatform::clientSize(int& width, int& height)
{
    width = height = 0;
    if (window_)
        SDL_GetWindowSize(window_, &width, &height);
}

bool SdlPlatform::readMouseButtons(MouseButtons& buttons)
{
    Uint32 state = SDL_GetMouseState(nullptr, nullptr);
    buttons.left = (state & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    buttons.right = (state & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
    return window_ != nullptr;
}

void SdlPlatform::setTextInput(bool on)
{
    if (on == textInput_)
        return;
    textInput_ = on;
    typed_.clear();
    if (on)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

std::string SdlPlatform::takeTypedText()
{
    std::string text;
    text.swap(typed_);
    return text;
}

bool SdlPlatform::openAudio(AudioSource& source, int rate, AudioFormat& format)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = audioCallback;
    want.userdata = &source;
    SDL_AudioSpec have{};
    audioDevice_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (audioDevice_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    format.rate = have.freq;
    format.channels = have.channels;
    format.bufferFrames = have.samples;
    SDL_PauseAudioDevice(audioDevice_, 0);
    return true;
}

void SdlPlatform::closeAudio()
{
    if (audioDevice_) {
        SDL_CloseAudioDevice(audioDevice_);
        audioDevice_ = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlPlatform::lockAudio()
{
    if (audioDevice_)
        SDL_LockAudioDevice(audioDevice_);
}

void SdlPlatform::unlockAudio()
{
    if (audioDevice_)
        SDL_UnlockAudioDevice(audioDevice_);
}

std::string SdlPlatform::baseFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return "./";
    std::string folder = base;
    SDL_free(base);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace platform
