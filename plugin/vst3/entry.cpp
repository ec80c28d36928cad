// SPDX-License-Identifier: GPL-3.0-or-later
// The module's exports: GetPluginFactory, a factory of the two plug-ins, Sferant
// (Furse-Malham) and Sferant AmbiX (ACN), whose class ids never change; and the module's
// entry and exit calls.
#include "plugin/vst3/Encoder.h"

#include <cstdio>
#include <cstring>
#include <new>

using namespace sferant;
using namespace sferant::vst3;

namespace
{

struct PluginClass
{
    v3_tuid id;
    const Edition& edition;
};

// Never to change: saved sessions name the plug-ins by these.
const PluginClass kClasses[] = {
    {{0x88, 0x58, 0x9C, 0x6A, 0xB7, 0x51, 0xD8, 0x89, 0xD2, 0x05, 0x07, 0x39, 0xB5, 0x5D, 0x49,
      0x93},
     kSferant},
    {{0xC9, 0x00, 0x0F, 0x18, 0x5B, 0x9E, 0xF1, 0x62, 0x39, 0x05, 0xFC, 0x78, 0xCA, 0x56, 0x17,
      0xCF},
     kSferantAmbiX},
};
constexpr int32_t kNumClasses = 2;
constexpr const char* kVendor = "Sferant Project";
constexpr const char* kCategory = "Audio Module Class";
constexpr const char* kSubCategories = "Fx|Spatial";
// The interface version the classes are written against.
constexpr const char* kInterfaceVersion = "VST 3.7";
constexpr int32_t kManyInstances = 0x7FFFFFFF;
constexpr int32_t kUnicode = 0x10;

template <std::size_t N> void copy(char (&to)[N], const char* text)
{
    std::snprintf(to, N, "%s", text);
}

v3_result V3_API query(void* self, const v3_tuid iid, void** object)
{
    const bool known = sameId(iid, v3_funknown_iid) || sameId(iid, v3_plugin_factory_iid) ||
                       sameId(iid, v3_plugin_factory_2_iid) || sameId(iid, v3_plugin_factory_3_iid);
    if (object) *object = known ? self : nullptr;
    return known ? V3_OK : V3_NO_INTERFACE;
}
// The factory lives as long as the module.
uint32_t V3_API keep(void*)
{
    return 1;
}

v3_result V3_API factoryInfo(void*, v3_factory_info* info)
{
    if (!info) return V3_INVALID_ARG;
    *info = {};
    copy(info->vendor, kVendor);
    info->flags = kUnicode;
    return V3_OK;
}
int32_t V3_API numClasses(void*)
{
    return kNumClasses;
}
// What every version of the class info starts with; false for no such class.
template <class Info> bool describe(int32_t index, Info* info)
{
    if (!info || index < 0 || index >= kNumClasses) return false;
    *info = {};
    std::memcpy(info->class_id, kClasses[index].id, sizeof(v3_tuid));
    info->cardinality = kManyInstances;
    copy(info->category, kCategory);
    return true;
}
v3_result V3_API classInfo(void*, int32_t index, v3_class_info* info)
{
    if (!describe(index, info)) return V3_INVALID_ARG;
    copy(info->name, kClasses[index].edition.name);
    return V3_OK;
}
v3_result V3_API classInfo2(void*, int32_t index, v3_class_info_2* info)
{
    if (!describe(index, info)) return V3_INVALID_ARG;
    copy(info->name, kClasses[index].edition.name);
    copy(info->sub_categories, kSubCategories);
    copy(info->vendor, kVendor);
    copy(info->version, SFERANT_VERSION);
    copy(info->sdk_version, kInterfaceVersion);
    return V3_OK;
}
v3_result V3_API classInfo3(void*, int32_t index, v3_class_info_3* info)
{
    if (!describe(index, info)) return V3_INVALID_ARG;
    toUtf16(kClasses[index].edition.name, info->name, 64);
    copy(info->sub_categories, kSubCategories);
    toUtf16(kVendor, info->vendor, 64);
    toUtf16(SFERANT_VERSION, info->version, 64);
    toUtf16(kInterfaceVersion, info->sdk_version, 64);
    return V3_OK;
}
v3_result V3_API createInstance(void*, const v3_tuid classId, const v3_tuid iid, void** instance)
{
    if (!instance) return V3_INVALID_ARG;
    *instance = nullptr;
    for (const PluginClass& c : kClasses)
        if (sameId(classId, c.id))
        {
            auto* encoder = new (std::nothrow) Encoder(c.edition);
            if (!encoder) return V3_NOMEM;
            const v3_result result = encoder->queryInterface(iid, instance);
            encoder->unref();
            return result;
        }
    return V3_NO_INTERFACE;
}
v3_result V3_API setHostContext(void*, v3_funknown**)
{
    return V3_OK;
}

const v3_plugin_factory_cpp kFactoryTable = {
    {query, keep, keep},
    {factoryInfo, numClasses, classInfo, createInstance},
    {classInfo2},
    {classInfo3, setHostContext},
};
const void* const kFactory = &kFactoryTable;

} // namespace

// Plain C calls: GetPluginFactory takes no arguments, so every calling convention agrees on
// it. The platforms' entry and exit calls, which have nothing to do. Each platform's export list
// names its own; they must be visible to it.
#if defined(__GNUC__) && !defined(_WIN32)
#define SFERANT_EXPORT __attribute__((visibility("default")))
#else
#define SFERANT_EXPORT
#endif
extern "C" SFERANT_EXPORT void* GetPluginFactory()
{
    return const_cast<const void**>(&kFactory);
}
extern "C" SFERANT_EXPORT bool ModuleEntry(void*)
{
    return true;
}
extern "C" SFERANT_EXPORT bool ModuleExit()
{
    return true;
}
extern "C" SFERANT_EXPORT bool bundleEntry(void*)
{
    return true;
}
extern "C" SFERANT_EXPORT bool bundleExit()
{
    return true;
}
extern "C" SFERANT_EXPORT bool InitDll()
{
    return true;
}
extern "C" SFERANT_EXPORT bool ExitDll()
{
    return true;
}
