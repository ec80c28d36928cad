// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Sferant_Editor.h"

#include "editor/EditionBadge.h"
#include "editor/converters.h"
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

// Resource ids of the editor's bitmaps.
enum BitmapId
{
    kPanelBitmap = 128,
    kAzimuthBitmap,
    kElevationBitmap,
    kDistanceBitmap,
    kWidthBitmap,
    kToggleBitmap,
    kOrderBitmap,
    kWeightBitmap,
    kReadoutBitmap,
};
constexpr int kFirstControlBitmap = kAzimuthBitmap;
constexpr int kControlBitmaps = kReadoutBitmap - kAzimuthBitmap + 1;

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

} // namespace

Sferant_Editor::Sferant_Editor(AudioEffect* effect, PluginParameters& parameters, const char* badge)
    : AEffGUIEditor(effect), parameters(parameters), badge(badge),
      backgroundBitmap(new CBitmap(kPanelBitmap))
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16_t>(backgroundBitmap->getHeight());
    rect.right = static_cast<int16_t>(backgroundBitmap->getWidth());
}

Sferant_Editor::~Sferant_Editor()
{
    // The effect may be destroyed while the host still shows the editor.
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

    CBitmap* bitmaps[kControlBitmaps];
    for (int i = 0; i < kControlBitmaps; ++i)
        bitmaps[i] = new CBitmap(kFirstControlBitmap + i);

    CRect size(0, 0, backgroundBitmap->getWidth(), backgroundBitmap->getHeight());
    CFrame* newFrame = new CFrame(size, parent, this);
    newFrame->setBackground(backgroundBitmap);
    addControls(newFrame, bitmaps);
    addDisplays(newFrame, bitmaps[kReadoutBitmap - kFirstControlBitmap]);
    if (badge) newFrame->addView(new EditionBadge(rectOf(layout::kEditionBadge), badge));

    setKnobMode(kLinearKnobMode);
    for (CBitmap* bitmap : bitmaps)
        bitmap->forget(); // the controls hold their own references
    // Only now: setParameter follows the control pointers once a frame is set.
    frame = newFrame;
    return true;
}

void Sferant_Editor::addControls(CFrame* target, CBitmap* const* bitmaps)
{
    auto bitmap = [&](int id) { return bitmaps[id - kFirstControlBitmap]; };
    auto add = [&](CControl* control)
    {
        control->setValue(parameters.value(control->getTag()));
        target->addView(control);
    };
    // A switch's strip has a frame for each of its parameter's positions.
    auto newSwitch = [&](const layout::Box& box, int index, int frameHeight, int id)
    {
        const int positions = kParameters[index].positions;
        return new CVerticalSwitch(rectOf(box), this, index, positions, frameHeight, positions,
                                   bitmap(id));
    };
    add(orderSwitch = newSwitch(layout::kOrderSwitch, kOrder, 75, kOrderBitmap));
    add(weightSwitch = newSwitch(layout::kWeightSwitch, kWeight, 75, kWeightBitmap));
    add(distanceKnob = new CAnimKnob(rectOf(layout::kDistanceKnob), this, kDistance, 281, 50,
                                     bitmap(kDistanceBitmap)));
    add(azimuthKnob = new CAnimKnob(rectOf(layout::kAzimuthKnob), this, kAzimuth, 361, 45,
                                    bitmap(kAzimuthBitmap)));
    add(elevationKnob = new CAnimKnob(rectOf(layout::kElevationKnob), this, kElevation, 181, 45,
                                      bitmap(kElevationBitmap)));
    add(widthKnob =
            new CAnimKnob(rectOf(layout::kWidthKnob), this, kWidth, 181, 50, bitmap(kWidthBitmap)));
    add(inputSwitch = newSwitch(layout::kInputSwitch, kInput, 44, kToggleBitmap));
    add(outputSwitch = newSwitch(layout::kOutputSwitch, kOutput, 44, kToggleBitmap));
    add(nfcSwitch = newSwitch(layout::kNfcSwitch, kNFC, 44, kToggleBitmap));
}

void Sferant_Editor::addDisplays(CFrame* target, CBitmap* readoutBox)
{
    auto add = [&](const CRect& size, long index, CParamDisplayValueToString convert)
    {
        CParamDisplay* display = new CParamDisplay(size, readoutBox, kReadoutStyle);
        display->setFont(kSmallFont);
        display->setFontColor(kBlackCColor);
        display->setBackColor(kTransparentCColor);
        display->setFrameColor(kTransparentCColor);
        display->setValue(parameters.value(index));
        display->setStringConvert(convert);
        target->addView(display);
        return display;
    };
    azimuthDisplay = add(rectOf(layout::kAzimuthReadout), kAzimuth, degreeStringConvert);
    elevationDisplay =
        add(rectOf(layout::kElevationReadout), kElevation, elevationDegreeStringConvert);
    distanceDisplay = add(rectOf(layout::kDistanceReadout), kDistance, distanceStringConvert);
    widthDisplay = add(rectOf(layout::kWidthReadout), kWidth, widthDegreeStringConvert);
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

void Sferant_Editor::beginEdit(long index)
{
    parameters.beginGesture(int(index));
}

void Sferant_Editor::endEdit(long index)
{
    parameters.endGesture(int(index));
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
    CControl* bound[kNumParams][2] = {
        {azimuthKnob, azimuthDisplay}, {elevationKnob, elevationDisplay},
        {nfcSwitch, nullptr},          {distanceKnob, distanceDisplay},
        {widthKnob, widthDisplay},     {orderSwitch, nullptr},
        {weightSwitch, nullptr},       {inputSwitch, nullptr},
        {outputSwitch, nullptr},
    };
    for (CControl* control : bound[index])
        if (control) control->setValue(parameters.value(index));
}

void Sferant_Editor::valueChanged(CDrawContext* /*context*/, CControl* control)
{
    long tag = control->getTag();
    if (isParameterIndex(tag)) parameters.setFromGesture(int(tag), control->getValue());
}

long Sferant_Editor::controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                            long /*buttons*/)
{
    return 0;
}
