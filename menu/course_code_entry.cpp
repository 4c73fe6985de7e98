#include "menu/course_code_entry.h"

#include "app/course_making.h"
#include "app/game.h"
#include "coursecode/course_code.h"
#include "menu/menu_screen.h"
#include "platform/platform.h"

#include <cctype>

namespace {

// A code with its hyphens and a few spare characters; the item holds no more.
constexpr size_t kMaxTyped = 16;

void showTyping(MenuScreen& m) { m.items[MenuScreen::kEnterCodeSlot].setText("> %s_", m.typedCode.c_str()); }

void accept(MenuScreen& m)
{
    endCodeEntry(m);
    const coursecode::Decoded code = coursecode::decode(m.typedCode);
    if (!code.ok) {
        m.items[MenuScreen::kEnterCodeSlot].setText("%s", code.error.c_str());
        return;
    }
    m.typedCode.clear();
    makeCourseOf(game(), code.settings);
    showSettingLabels(m);
    showPreview(m.items[MenuScreen::kPreviewSlot]);
    showCourseCode(m, true);
}

} // namespace

void startCodeEntry(int)
{
    MenuScreen& m = game().menu;
    m.typingCode = true;
    platform::current().setTextInput(true);
    showTyping(m);
}

void endCodeEntry(MenuScreen& m)
{
    m.typingCode = false;
    platform::current().setTextInput(false);
    m.items[MenuScreen::kEnterCodeSlot].setText("Enter Code");
}

void updateCodeEntry(MenuScreen& m)
{
    Game& g = game();
    // The release is taken here, so the menu does not also quit on it.
    const bool escape = g.input.keyDown(KeyEscape);
    if (g.escapeLatch && !escape) {
        g.escapeLatch = false;
        m.typedCode.clear();
        endCodeEntry(m);
        return;
    }
    for (char c : platform::current().takeTypedText()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            accept(m);
            return;
        }
        if (c == '\b') {
            if (!m.typedCode.empty())
                m.typedCode.pop_back();
        } else if (m.typedCode.size() < kMaxTyped && byte >= 0x20 && byte != 0x7F && (byte < 0x80 || byte >= 0xC0)) {
            // One '?' per character outside ASCII, which the decoder then names.
            m.typedCode += byte >= 0x80 ? '?' : static_cast<char>(std::toupper(byte));
        }
    }
    showTyping(m);
}

void showCourseCode(MenuScreen& m, bool shown)
{
    MenuItem& item = m.items[MenuScreen::kCourseCodeSlot];
    const Game& g = game();
    const std::string code = shown && g.madeCourse ? coursecode::encode(*g.madeCourse) : std::string();
    item.width = code.empty() ? 0 : 216;
    item.setText("Code %s", code.c_str());
}
