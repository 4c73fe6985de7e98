#pragma once
// The mouse-driven menu pages: main, options and new course. One
// MenuScreen holds the page on show; choosing a page rebuilds it in place.
#include "app/game_settings.h"
#include "app/render_state.h"

#include <cstdint>
#include <string>

// Run when an item is clicked, with the item's argument.
using MenuAction = void (*)(int argument);

struct MenuItem {
    MenuAction action = nullptr;
    int32_t argument = 0;   // for the cycles and toggles: the item's own slot
    char text[64] = {};
    int32_t centreX = 0, centreY = 0;
    int32_t width = 0;      // 0: an empty slot, never drawn or hit
    int32_t height = 0;
    int32_t colour = 0;     // 0xRRGGBB
    TextureId texture = 0;  // a picture when hasTexture, else a coloured button with text
    bool armed = false;     // the left button is held over the item
    bool compact = false;   // a setting button: fixed width and smaller text

    // Strictly inside the button (integer halves).
    bool hitTest(int x, int y) const;
    void drawItem() const;
    // Replaces the label in place; the size stays.
    void setText(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

struct MenuScreen {
    static constexpr int kSlots = 16;
    // Slot of the map preview on the new-course page.
    static constexpr int kPreviewSlot = 9;
    // New-course page: the code of the previewed course, and "Enter Code".
    static constexpr int kCourseCodeSlot = 10;
    static constexpr int kEnterCodeSlot = 11;

    MenuItem items[kSlots];
    bool buttonSeen = false;       // the left button was down since the page was built
    bool plainBackground = false;  // grey background, no globe and no title
    bool typingCode = false;       // "Enter Code" takes the typed text
    std::string typedCode;         // what was typed into it, kept after a refused code
    SettingsPage settingsPage = SettingsPage::None;  // whose settings a click may change

    void buildMainMenu();
    // Also sets the compass and minimap settings to the stored ones, which
    // its labels show.
    void buildOptionsMenu();
    // Also sets the course settings to the stored ones, which its labels show.
    void buildNewCourseMenu();
    // Pointer handling, actions, then every item drawn.
    void updateAndDraw();
};
