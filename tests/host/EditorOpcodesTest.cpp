// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "HostFixture.h"

namespace
{

using EditorOpcodes = HostFixture;

TEST_F(EditorOpcodes, withoutAnEditorTheyAnswerZero)
{
    ERect* rect = nullptr;
    int window = 0;
    const std::pair<VstInt32, void*> opcodes[] = {
        {effEditGetRect, &rect},      {effEditOpen, &window},    {effEditClose, nullptr},
        {effEditIdle, nullptr},       {effEditKeyDown, nullptr}, {effEditKeyUp, nullptr},
        {effSetEditKnobMode, nullptr}};
    for (const auto& [opcode, ptr] : opcodes)
        EXPECT_EQ(dispatch(opcode, 65, 2, ptr), 0) << opcode;
    EXPECT_EQ(rect, nullptr);
}

TEST_F(EditorOpcodes, getRectHandsTheHostTheEditorsRectangle)
{
    FakeEditor* editor = attachEditor();
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->rect);
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(EditorOpcodes, openAndCloseInTheHostsWindow)
{
    FakeEditor* editor = attachEditor();
    int window = 0;
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, &window), 1);
    EXPECT_EQ(editor->window(), &window);
    EXPECT_EQ(dispatch(effEditClose), 0);
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(EditorOpcodes, openWithoutAParentWindowIsRefused)
{
    FakeEditor* editor = attachEditor();
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, nullptr), 0);
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(EditorOpcodes, idleReachesTheEditor)
{
    FakeEditor* editor = attachEditor();
    EXPECT_EQ(dispatch(effEditIdle), 0);
    EXPECT_EQ(editor->idles, 1);
}

TEST_F(EditorOpcodes, keysReachTheEditorAsKeyRecords)
{
    FakeEditor* editor = attachEditor();
    for (VstInt32 opcode : {effEditKeyDown, effEditKeyUp})
    {
        editor->lastKey = {};
        EXPECT_EQ(dispatch(opcode, 65, 0x10D, nullptr, 3.f), 1) << opcode;
        EXPECT_EQ(editor->lastKey.character, 65);
        EXPECT_EQ(editor->lastKey.virt, 13); // the low byte of the value
        EXPECT_EQ(editor->lastKey.modifier, 3);
    }
    dispatch(effEditKeyDown, 65, 13, nullptr, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(editor->lastKey.modifier, 0);
    editor->keyAnswer = false;
    EXPECT_EQ(dispatch(effEditKeyDown, 65, 13, nullptr, 0.f), 0);
}

TEST_F(EditorOpcodes, knobModeReachesTheEditor)
{
    FakeEditor* editor = attachEditor();
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);
}

TEST(PlainEditor, defaultsDoNothingAndAnswerFalse)
{
    AEffEditor editor(nullptr);
    ERect* rect = reinterpret_cast<ERect*>(1);
    VstKeyCode key{};
    int window = 0;
    EXPECT_FALSE(editor.getRect(&rect));
    EXPECT_EQ(rect, nullptr);
    EXPECT_FALSE(editor.isOpen());
    EXPECT_FALSE(editor.open(&window));
    EXPECT_TRUE(editor.isOpen());
    editor.close();
    EXPECT_FALSE(editor.isOpen());
    EXPECT_FALSE(editor.onKeyDown(key));
    EXPECT_FALSE(editor.onKeyUp(key));
    EXPECT_FALSE(editor.onWheel(1.f));
    EXPECT_FALSE(editor.setKnobMode(2));
    EXPECT_EQ(editor.__mouseDeprecated(1, 2), 0);
    EXPECT_EQ(editor.__keyDeprecated(3), 0);
    EXPECT_EQ(editor.getEffect(), nullptr);
}

} // namespace
