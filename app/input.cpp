#include "app/input.h"

#include "app/frame.h"
#include "platform/platform.h"

#include <cstring>

namespace {

InputDevices* g_input = nullptr;

struct KeyMapping {
    int key;
    int scanCode;
};

constexpr KeyMapping kKeys[] = {
    {KeyLeft, 0xCB}, {KeyRight, 0xCD}, {KeyUp, 0xC8},    {KeyDown, 0xD0},
    {KeyEscape, 0x01}, {KeySpace, 0x39}, {KeyPlus, 0x4E}, {KeyMinus, 0x4A},
    {KeyM, 0x32},    {KeyC, 0x2E},     {KeyF1, 0x3B},
};

} // namespace

int scanCodeOf(int key)
{
    for (const KeyMapping& m : kKeys)
        if (m.key == key)
            return m.scanCode;
    return 0;
}

InputDevices::InputDevices() { g_input = this; }

InputDevices::~InputDevices()
{
    if (g_input == this)
        g_input = nullptr;
}

InputDevices& inputDevices() { return *g_input; }

void InputDevices::createDevices()
{
    keyboard_ = true;
    mouse_ = true;
}

void InputDevices::releaseDevices()
{
    keyboard_ = false;
    mouse_ = false;
    keyboardValid_ = false;
    mouseValid_ = false;
}

void InputDevices::poll()
{
    platform::Platform& p = platform::current();
    keyboardValid_ = keyboard_ && p.readKeyboard(keys_);
    if (!keyboardValid_)
        std::memset(keys_, 0, sizeof keys_);

    platform::MouseButtons b;
    mouseValid_ = mouse_ && p.readMouseButtons(b);
    mouseButtons_[0] = mouseValid_ && b.left ? 0x80 : 0;
    mouseButtons_[1] = mouseValid_ && b.right ? 0x80 : 0;
}

bool InputDevices::keyDown(int key)
{
    if (!isWindowActive())
        return false;
    int code = scanCodeOf(key);
    if (code == 0)
        return false;
    if (keyboardValid_)
        return (keys_[code] & 0x80) != 0;
    return platform::current().keyPressedSinceLastQuery(code);
}

bool InputDevices::scanCodeDown(int scanCode) const
{
    if (!isWindowActive() || !keyboardValid_ || scanCode <= 0 || scanCode >= 256)
        return false;
    return (keys_[scanCode] & 0x80) != 0;
}

// Scaled from the real client size, so clicks land on what is drawn after
// the window has been resized.
void InputDevices::overlayPosition(int& x, int& y) const
{
    platform::Platform& p = platform::current();
    int px = 0, py = 0, w = 0, h = 0;
    p.pointerPosition(px, py);
    p.clientSize(w, h);
    x = w > 0 ? px * 640 / w : px;
    y = h > 0 ? py * 480 / h : py;
}

void InputDevices::buttons(PointerReading& r) const
{
    bool active = isWindowActive();
    r.left = active && mouseValid_ && (mouseButtons_[0] & 0x80);
    r.right = active && mouseValid_ && (mouseButtons_[1] & 0x80);
}

PointerReading InputDevices::pointer()
{
    PointerReading r;
    overlayPosition(pointerX_, pointerY_);
    if (isWindowActive()) {
        r.x = pointerX_;
        r.y = pointerY_;
    }
    buttons(r);
    return r;
}

PointerReading InputDevices::pointerMotion()
{
    PointerReading r;
    int x = 0, y = 0;
    overlayPosition(x, y);
    if (isWindowActive()) {
        r.x = previousX_ - x;
        r.y = previousY_ - y;
    }
    previousX_ = x;
    previousY_ = y;
    buttons(r);
    return r;
}
