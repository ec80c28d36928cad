// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Sferant_Editor.h"

#include "editor/EditionBadge.h"
#include "editor/layout.h"
#include "core/parameters.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CFrame.h"
#include "gui/CParamDisplay.h"
#include "gui/CVerticalSwitch.h"

using namespace sferant;

namespace
{

// Sets none of the style bits a display tests: it draws its bitmap and its text only.
constexpr long kReadoutStyle = 1;

CRect rectOf(const layout::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

bool isParameterIndex(long index)
{
    return static_cast<unsigned long>(index) < static_cast<unsigned long>(kNumParams);
}

CParamDisplay* makeReadout(const layout::Control& row, CBitmap* bitmap)
{
    CParamDisplay* display = new CParamDisplay(rectOf(row.box), bitmap, kReadoutStyle);
    display->setFont(kSmallFont);
    display->setFontColor(kBlackCColor);
    display->setBackColor(kTransparentCColor);
    display->setFrameColor(kTransparentCColor);
    display->setStringConvert(row.text);
    return display;
}

} // namespace

Sferant_Editor::Sferant_Editor(EditorHost& host, const char* badge)
    : AEffGUIEditor(host), badge(badge), backgroundBitmap(new CBitmap(layout::kPanelBitmap))
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16_t>(backgroundBitmap->getHeight());
    rect.right = static_cast<int16_t>(backgroundBitmap->getWidth());
}

Sferant_Editor::~Sferant_Editor()
{
    // The plug-in may be destroyed while the host still shows the editor.
    if (frame) close();
    backgroundBitmap->forget();
    backgroundBitmap = nullptr;
}

bool Sferant_Editor::open(void* parent)
{
    if (frame) return true;
    systemWindow = parent;
    // Cleared before the controls read the values: a change from now on is shown at idle.
    changedParameters.store(0, std::memory_order_relaxed);

    CBitmap* bitmaps[layout::kControlBitmaps];
    for (int i = 0; i < layout::kControlBitmaps; ++i)
        bitmaps[i] = new CBitmap(layout::kFirstControlBitmap + i);

    CRect size(0, 0, backgroundBitmap->getWidth(), backgroundBitmap->getHeight());
    CFrame* newFrame = new CFrame(size, parent, this);
    newFrame->setBackground(backgroundBitmap);
    for (int i = 0; i < layout::kNumControls; ++i)
    {
        const layout::Control& row = layout::kControls[i];
        controls[i] = makeControl(row, bitmaps[row.bitmap - layout::kFirstControlBitmap]);
        newFrame->addView(controls[i]);
    }
    if (badge) newFrame->addView(new EditionBadge(rectOf(layout::kEditionBadge), badge));

    setKnobMode(kLinearKnobMode);
    for (CBitmap* bitmap : bitmaps)
        bitmap->forget(); // the controls hold their own references
    // Only now: setParameter follows the control pointers once a frame is set.
    frame = newFrame;
    return true;
}

CControl* Sferant_Editor::makeControl(const layout::Control& row, CBitmap* bitmap)
{
    const CRect size = rectOf(row.box);
    const int frameHeight = row.box.height();
    CControl* control = nullptr;
    switch (row.kind)
    {
    case layout::Kind::knob:
        control = new CAnimKnob(size, this, row.parameter, row.frames, frameHeight, bitmap);
        break;
    case layout::Kind::verticalSwitch:
        control = new CVerticalSwitch(size, this, row.parameter, row.frames, frameHeight,
                                      kParameters[row.parameter].positions, bitmap);
        break;
    case layout::Kind::readout:
        control = makeReadout(row, bitmap);
        break;
    }
    control->setValue(host.value(row.parameter));
    return control;
}

void Sferant_Editor::close()
{
    if (frame)
    {
        CFrame* oldFrame = frame;
        frame = nullptr;
        oldFrame->forget(); // releases every control with it
    }
    AEffGUIEditor::close();
}

void Sferant_Editor::parameterChanged(int index)
{
    // The plug-in has stored the value already: idle reads it back.
    if (isParameterIndex(index)) changedParameters.fetch_or(1u << index, std::memory_order_release);
}

void Sferant_Editor::setParameter(VstInt32 index, float /*value*/)
{
    parameterChanged(index);
}

void Sferant_Editor::idle()
{
    if (frame && !inIdleStuff)
    {
        const uint32_t changed = changedParameters.exchange(0, std::memory_order_acquire);
        for (int index = 0; index < kNumParams; ++index)
            if (changed & (1u << index)) showParameter(index);
    }
    AEffGUIEditor::idle();
}

void Sferant_Editor::showParameter(int index)
{
    for (int i = 0; i < layout::kNumControls; ++i)
        if (layout::kControls[i].parameter == index) controls[i]->setValue(host.value(index));
}

void Sferant_Editor::valueChanged(CDrawContext* /*context*/, CControl* control)
{
    long tag = control->getTag();
    if (isParameterIndex(tag)) host.setFromGesture(int(tag), control->getValue());
}

long Sferant_Editor::controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                            long /*buttons*/)
{
    return 0;
}
