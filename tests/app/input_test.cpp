#include "app/input.h"
#include "app/render_state.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setCurrent(&script);
        renderState().windowActive = true;
        input.createDevices();
    }
    void TearDown() override { platform::setCurrent(nullptr); }

    platform::ScriptedPlatform script;
    InputDevices input;
};

} // namespace

TEST_F(InputTest, LogicalKeysReadTheirScanCodes)
{
    struct Case {
        int key;
        int scanCode;
    } cases[] = {
        {KeyLeft, 0xCB}, {KeyRight, 0xCD}, {KeyUp, 0xC8}, {KeyDown, 0xD0},
        {KeyEscape, 0x01}, {KeySpace, 0x39}, {KeyPlus, 0x4E}, {KeyMinus, 0x4A},
        {KeyM, 0x32}, {KeyC, 0x2E}, {KeyF1, 0x3B},
    };
    for (const Case& c : cases) {
        script.holdKey(c.scanCode, true);
        input.poll();
        EXPECT_TRUE(input.keyDown(c.key)) << "key " << c.key;
        script.holdKey(c.scanCode, false);
        input.poll();
        EXPECT_FALSE(input.keyDown(c.key)) << "key " << c.key;
    }
}

TEST_F(InputTest, UnassignedNumbersReadReleasedWhateverIsHeld)
{
    for (int code = 0; code < 256; ++code)
        script.holdKey(code, true);
    input.poll();
    for (int key : {0, 7, 8, 9, 10, 11, 17, 100, -1})
        EXPECT_FALSE(input.keyDown(key)) << "key " << key;
    EXPECT_TRUE(input.keyDown(KeyF1));
}

TEST_F(InputTest, InactiveWindowReadsEverythingReleased)
{
    script.holdKey(0xC8, true);
    script.buttons.left = script.buttons.right = true;
    script.pointerX = 100;
    script.pointerY = 50;
    input.poll();
    renderState().windowActive = false;
    EXPECT_FALSE(input.keyDown(KeyUp));
    EXPECT_FALSE(input.scanCodeDown(0xC8));
    PointerReading p = input.pointer();
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_FALSE(p.left);
    EXPECT_FALSE(p.right);

    renderState().windowActive = true;
    p = input.pointer();
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 50);
    EXPECT_TRUE(p.left);
    EXPECT_TRUE(p.right);
}

TEST_F(InputTest, MotionIsPreviousMinusCurrent)
{
    script.pointerX = 200;
    script.pointerY = 200;
    input.pointerMotion();
    script.pointerX = 230;  // right and up
    script.pointerY = 190;
    PointerReading m = input.pointerMotion();
    EXPECT_EQ(m.x, -30);
    EXPECT_EQ(m.y, 10);
    m = input.pointerMotion();
    EXPECT_EQ(m.x, 0);
    EXPECT_EQ(m.y, 0);

    // Inactive: no movement is reported, but the position is still tracked.
    renderState().windowActive = false;
    script.pointerX = 300;
    EXPECT_EQ(input.pointerMotion().x, 0);
    renderState().windowActive = true;
    EXPECT_EQ(input.pointerMotion().x, 0);
}

TEST_F(InputTest, PointerIsScaledFromTheRealClientSize)
{
    script.clientWidth = 1280;
    script.clientHeight = 960;
    script.pointerX = 640;
    script.pointerY = 240;
    PointerReading p = input.pointer();
    EXPECT_EQ(p.x, 320);
    EXPECT_EQ(p.y, 120);
}

TEST_F(InputTest, WithoutAKeyboardAKeyReadsOnlyANewPress)
{
    script.keyboardAvailable = false;
    script.holdKey(0xC8, true);
    input.poll();
    EXPECT_FALSE(input.keyboardValid());
    EXPECT_FALSE(input.keyDown(KeyUp));
    script.pressedSince[0xC8] = true;
    EXPECT_TRUE(input.keyDown(KeyUp));
    EXPECT_FALSE(input.keyDown(KeyUp));
}

TEST_F(InputTest, ReleasedDevicesFallBack)
{
    script.holdKey(0x01, true);
    script.buttons.left = true;
    input.releaseDevices();
    input.poll();
    EXPECT_FALSE(input.keyDown(KeyEscape));
    EXPECT_FALSE(input.pointer().left);
}
