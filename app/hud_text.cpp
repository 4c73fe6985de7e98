#include "app/hud_text.h"

#include "app/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Formats at most 255 characters, then keeps what fits in a slot.
void formatInto(char (&slot)[HudText::kTextSize], const char* format, va_list args)
{
    char buffer[256];
    if (std::vsnprintf(buffer, sizeof buffer, format, args) < 0)
        buffer[0] = '\0';
    size_t length = strnlen(buffer, HudText::kTextSize - 1);
    std::memcpy(slot, buffer, length);
    slot[length] = '\0';
}

void resetLabel(HudLabel& label)
{
    label.x = 0;
    label.y = 0;
    label.text[0] = '\0';
    label.scale = 0;
    label.colour = 0xFFFFFF;
}

} // namespace

int HudText::addLine(const char* format, ...)
{
    if (!format)
        return 0;
    if (lineCount < 0 || lineCount >= kMaxLines)
        return 0;
    va_list args;
    va_start(args, format);
    formatInto(lines[lineCount], format, args);
    va_end(args);
    ++lineCount;
    return 1;
}

int HudText::addLabel(float x, float y, float scale, int32_t colour, const char* format, ...)
{
    if (!format)
        return 0;
    if (labelCount < 0 || labelCount >= kMaxLabels)
        return 0;
    HudLabel& label = labels[labelCount];
    va_list args;
    va_start(args, format);
    formatInto(label.text, format, args);
    va_end(args);
    label.x = x;
    label.y = y;
    label.scale = scale;
    label.colour = colour;
    ++labelCount;
    return 1;
}

void HudText::clearLines()
{
    std::memset(lines, 0, sizeof lines);
    lineCount = 0;
}

void HudText::clearAll()
{
    clearLines();
    for (HudLabel& label : labels)
        resetLabel(label);
    labelCount = 0;
}

void HudText::draw() const
{
    for (int i = 0; i < lineCount && i < kMaxLines; ++i)
        drawTextString(10, float(16 * (i + 1)), 1, 1, 0xFFFFFF, lines[i]);
    for (int i = 0; i < labelCount && i < kMaxLabels; ++i)
        drawTextString(labels[i].x, labels[i].y, labels[i].scale, 1, uint32_t(labels[i].colour), labels[i].text);
}
