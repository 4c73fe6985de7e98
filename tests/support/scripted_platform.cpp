#include "support/scripted_platform.h"

#include <cstdio>
#include <cstring>

namespace platform {

ScriptedPlatform::ScriptedPlatform(Platform* real) : real_(real) {}

void ScriptedPlatform::queueActivate(bool active) { events_.push_back({Event::Activate, active ? 1 : 0, 0}); }
void ScriptedPlatform::queueClose() { events_.push_back({Event::Close, 0, 0}); }
void ScriptedPlatform::queueSize(int width, int height)
{
    events_.push_back({Event::Size, width, height});
}

uint32_t ScriptedPlatform::freshSeed()
{
    if (seeds.empty())
        return clockMs;
    uint32_t s = seeds.front();
    seeds.erase(seeds.begin());
    return s;
}

WindowError ScriptedPlatform::openWindow(int width, int height, const char* title)
{
    if (windowFailure != WindowError::None)
        return windowFailure;
    if (real_) {
        WindowError e = real_->openWindow(width, height, title);
        if (e != WindowError::None)
            return e;
    }
    open_ = true;
    return WindowError::None;
}

void ScriptedPlatform::closeWindow()
{
    if (real_)
        real_->closeWindow();
    open_ = false;
}

void ScriptedPlatform::swapBuffers()
{
    if (onSwap)
        onSwap(swapCount);
    if (real_ && open_)
        real_->swapBuffers();
    if (onSwapped)
        onSwapped(swapCount);
    ++swapCount;
    clockMs += msPerFrame;
}

bool ScriptedPlatform::setFullscreen(bool on)
{
    if (on == fullscreen_)
        return true;
    const bool realWindow = real_ && open_;
    if (realWindow && !real_->setFullscreen(on))
        return false;
    if (on) {
        windowedWidth_ = clientWidth;
        windowedHeight_ = clientHeight;
    }
    if (realWindow) {
        real_->clientSize(clientWidth, clientHeight);
    } else {
        clientWidth = on ? desktopWidth : windowedWidth_;
        clientHeight = on ? desktopHeight : windowedHeight_;
    }
    fullscreen_ = on;
    queueSize(clientWidth, clientHeight);
    return true;
}

void ScriptedPlatform::pumpEvents(WindowListener& listener)
{
    if (real_ && open_) {
        NullListener ignore;
        real_->pumpEvents(ignore);
    }
    std::vector<Event> pending;
    pending.swap(events_);
    for (const Event& e : pending) {
        switch (e.kind) {
        case Event::Activate:
            listener.onActivate(e.a != 0);
            break;
        case Event::Close:
            listener.onClose();
            break;
        case Event::Size:
            listener.onSize(e.a, e.b);
            break;
        }
    }
}

void* ScriptedPlatform::glProcAddress(const char* name)
{
    return real_ ? real_->glProcAddress(name) : nullptr;
}

void ScriptedPlatform::messageBox(const char* caption, const char* text, MessageIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    boxes.push_back({caption ? caption : "", text ? text : "", icon});
}

bool ScriptedPlatform::readKeyboard(uint8_t out[kKeyStateSize])
{
    if (!keyboardAvailable)
        return false;
    std::memcpy(out, keys, kKeyStateSize);
    return true;
}

bool ScriptedPlatform::keyPressedSinceLastQuery(int scanCode)
{
    if (scanCode < 0 || scanCode >= kKeyStateSize)
        return false;
    bool pressed = pressedSince[scanCode];
    pressedSince[scanCode] = false;
    return pressed;
}

void ScriptedPlatform::pointerPosition(int& x, int& y)
{
    x = pointerX;
    y = pointerY;
}

void ScriptedPlatform::clientSize(int& width, int& height)
{
    width = clientWidth;
    height = clientHeight;
}

bool ScriptedPlatform::readMouseButtons(MouseButtons& out)
{
    out = buttons;
    return mouseAvailable;
}

std::string ScriptedPlatform::takeTypedText()
{
    std::string text;
    text.swap(typedText);
    return textInputOn ? text : std::string();
}

bool ScriptedPlatform::openAudio(AudioSource& source, int rate, AudioFormat& format)
{
    return audioFromReal && real_ && real_->openAudio(source, rate, format);
}

void ScriptedPlatform::closeAudio()
{
    if (audioFromReal && real_)
        real_->closeAudio();
}

void ScriptedPlatform::lockAudio()
{
    if (audioFromReal && real_)
        real_->lockAudio();
}

void ScriptedPlatform::unlockAudio()
{
    if (audioFromReal && real_)
        real_->unlockAudio();
}

std::string ScriptedPlatform::baseFolder()
{
    if (!assetFolder.empty())
        return assetFolder;
    return real_ ? real_->baseFolder() : "./";
}

} // namespace platform
