// SPDX-License-Identifier: GPL-3.0-or-later
// The LV2 plug-in's X11 UI: the same editor as the VST 2.4 module's, inside the host's
// window. It is the editor's host over the ports: a gesture writes the control port (in
// the units a user reads) between touches, and the host's port events move the controls.
#include "core/parameters.h"
#include "editor/Sferant_Editor.h"
#include "plugin/lv2/ports.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <new>

using namespace sferant;
using namespace sferant::lv2;

namespace
{

// The editor over the ports. The values are those of the last port events and gestures.
class EncoderUi final : public EditorHost
{
  public:
    EncoderUi(const Edition& edition, LV2UI_Write_Function write, LV2UI_Controller controller,
              const LV2UI_Touch* touch, const LV2UI_Resize* resize);

    float value(int index) const override { return values[index]; }
    void beginGesture(int index) override { setTouched(index, true); }
    void setFromGesture(int index, float value) override;
    void endGesture(int index) override { setTouched(index, false); }
    bool resizeWindow(int width, int height) override;
    // The host's idle calls run on their own: nothing to give it.
    void idleTick() override {}

    // A value the host sent to a port: a control's moves the editor's controls.
    void portEvent(uint32_t port, float user);

    Sferant_Editor editor;

  private:
    void setTouched(int index, bool grabbed);

    LV2UI_Write_Function write;
    LV2UI_Controller controller;
    const LV2UI_Touch* touch;
    const LV2UI_Resize* resize;
    float values[kNumParams]; // normalised
};

EncoderUi::EncoderUi(const Edition& edition, LV2UI_Write_Function write,
                     LV2UI_Controller controller, const LV2UI_Touch* touch,
                     const LV2UI_Resize* resize)
    : editor(*this, edition.badge), write(write), controller(controller), touch(touch),
      resize(resize)
{
    for (int i = 0; i < kNumParams; ++i)
        values[i] = defaultValue(edition, i);
}

// The host may not echo what the UI writes: the read-outs follow the gesture themselves.
void EncoderUi::setFromGesture(int index, float value)
{
    if (index < 0 || index >= kNumParams) return;
    values[index] = value;
    const float user = float(userValue(index, value));
    write(controller, controlPort(index), sizeof user, 0, &user);
    editor.parameterChanged(index);
}

void EncoderUi::setTouched(int index, bool grabbed)
{
    if (touch && index >= 0 && index < kNumParams)
        touch->touch(touch->handle, controlPort(index), grabbed);
}

bool EncoderUi::resizeWindow(int width, int height)
{
    return resize && resize->ui_resize(resize->handle, width, height) == 0;
}

void EncoderUi::portEvent(uint32_t port, float user)
{
    const int index = parameterOfPort(port);
    if (index < 0 || !std::isfinite(user)) return;
    values[index] = normalisedValue(index, user);
    editor.parameterChanged(index);
}

EncoderUi* encoderUi(LV2UI_Handle handle)
{
    return static_cast<EncoderUi*>(handle);
}

template <class Data> Data* featureData(const LV2_Feature* const* features, const char* uri)
{
    for (; features && *features; ++features)
        if (!std::strcmp((*features)->URI, uri)) return static_cast<Data*>((*features)->data);
    return nullptr;
}

// The host's ui:scaleFactor option (a float); 0 when it gives none.
double hostScale(const LV2_Feature* const* features)
{
    const auto* options = featureData<const LV2_Options_Option>(features, LV2_OPTIONS__options);
    const auto* map = featureData<LV2_URID_Map>(features, LV2_URID__map);
    if (!options || !map) return 0;
    const LV2_URID scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (; options->key; ++options)
        if (options->key == scaleFactor && options->type == floatType &&
            options->size == sizeof(float) && options->value)
            return *static_cast<const float*>(options->value);
    return 0;
}

// The plug-in whose UI this descriptor is, if the host asks for it with that plug-in.
const Lv2Plugin* pluginOf(const LV2UI_Descriptor* descriptor, const char* pluginUri)
{
    for (const Lv2Plugin& plugin : kPlugins)
        if (!std::strcmp(descriptor->URI, plugin.uiUri))
            return pluginUri && !std::strcmp(pluginUri, plugin.uri) ? &plugin : nullptr;
    return nullptr;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor* descriptor, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    void* parent = featureData<void>(features, LV2_UI__parent);
    const Lv2Plugin* plugin = pluginOf(descriptor, pluginUri);
    if (!write || !widget || !parent || !plugin) return nullptr;
    auto* ui = new (std::nothrow) EncoderUi(plugin->edition, write, controller,
                                            featureData<LV2UI_Touch>(features, LV2_UI__touch),
                                            featureData<LV2UI_Resize>(features, LV2_UI__resize));
    if (!ui) return nullptr;
    // The host's scale overrides the system's.
    if (const double scale = hostScale(features); scale > 0) ui->editor.setContentScale(scale);
    ui->editor.open(parent);
    if (!ui->editor.getWindowId())
    {
        delete ui; // no display, or the parent is no window
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(ui->editor.getWindowId());
    ERect* rect = nullptr;
    ui->editor.getRect(&rect);
    ui->resizeWindow(rect->right - rect->left, rect->bottom - rect->top);
    return ui;
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer)
{
    if (format != 0 || size != sizeof(float) || !buffer) return;
    encoderUi(handle)->portEvent(port, *static_cast<const float*>(buffer));
}

// The host's idle drives the editor's, as a VST 2.4 host's effEditIdle does.
const LV2UI_Idle_Interface kIdle = {[](LV2UI_Handle handle)
                                    {
                                        encoderUi(handle)->editor.idle();
                                        return 0;
                                    }};

constexpr LV2UI_Descriptor descriptorOf(const Lv2Plugin& plugin)
{
    return {
        plugin.uiUri,
        instantiate,
        [](LV2UI_Handle handle) { delete encoderUi(handle); },
        portEvent,
        [](const char* uri) -> const void*
        { return !std::strcmp(uri, LV2_UI__idleInterface) ? &kIdle : nullptr; },
    };
}

const LV2UI_Descriptor kDescriptors[kNumPlugins] = {descriptorOf(kPlugins[0]),
                                                    descriptorOf(kPlugins[1])};

} // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index < kNumPlugins ? &kDescriptors[index] : nullptr;
}
