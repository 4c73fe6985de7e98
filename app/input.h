#pragma once
// Keyboard and mouse, read once per frame and then queried from the buffered
// state. The game builds key edges itself with one-bit latches.
#include <cstdint>

// The eleven keys the game reads. 7 to 11 are not assigned.
enum LogicalKey : int {
    KeyLeft = 1,
    KeyRight = 2,
    KeyUp = 3,
    KeyDown = 4,
    KeyEscape = 5,
    KeySpace = 6,
    KeyPlus = 12,   // numeric keypad
    KeyMinus = 13,  // numeric keypad
    KeyM = 14,
    KeyC = 15,
    KeyF1 = 16,
};

// Scan codes of the debug keys, read straight from the keyboard state.
constexpr int kScanF2 = 0x3C;
constexpr int kScanF5 = 0x3F;
constexpr int kScanF6 = 0x40;
// Scan codes of the keys that switch fullscreen: F11, or Enter with Alt.
constexpr int kScanF11 = 0x57;
constexpr int kScanEnter = 0x1C;
constexpr int kScanKeypadEnter = 0x9C;
constexpr int kScanLeftAlt = 0x38;
constexpr int kScanRightAlt = 0xB8;
// Tab shows and hides the finish screen's split times.
constexpr int kScanTab = 0x0F;
// P colours the finish screen's trail by pace; S saves the analysis picture.
constexpr int kScanP = 0x19;
constexpr int kScanS = 0x1F;

// Scan code of a LogicalKey, or 0 for a number that names no key.
int scanCodeOf(int key);

struct PointerReading {
    int x = 0, y = 0;  // pointer() gives a position, pointerMotion() a movement
    bool left = false, right = false;
};

class InputDevices {
public:
    InputDevices();
    ~InputDevices();
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    // Makes the keyboard and the mouse readable.
    void createDevices();
    void releaseDevices();
    // Reads both devices; once at the top of every frame, before any query.
    void poll();

    // Held while the window is active. Without a readable keyboard, whether
    // the key went down since the last query of it.
    bool keyDown(int key);
    // Held state of any scan code (the debug keys), masked by activity.
    bool scanCodeDown(int scanCode) const;
    // Position in the 640 x 480 overlay space and the buttons; (0, 0) and
    // released while the window is inactive.
    PointerReading pointer();
    // Movement since the last call as previous minus current (overlay units).
    PointerReading pointerMotion();

    bool keyboardValid() const { return keyboardValid_; }
    bool mouseValid() const { return mouseValid_; }

private:
    void overlayPosition(int& x, int& y) const;
    void buttons(PointerReading& r) const;

    bool keyboard_ = false;
    bool mouse_ = false;
    uint8_t keys_[256] = {};
    uint8_t mouseButtons_[4] = {};
    bool keyboardValid_ = false;
    bool mouseValid_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    int previousX_ = 0, previousY_ = 0;
};

// The program-wide InputDevices: the most recently constructed live one.
InputDevices& inputDevices();
