// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The VST3 interfaces as the clean-room headers of Debian's dpf-source declare them, and the
// few helpers every object here needs: an interface's record (its table and the object it
// belongs to), id comparison and the hosts' UTF-16 strings.

#include <travesty/audio_processor.h>
#include <travesty/component.h>
#include <travesty/edit_controller.h>
#include <travesty/factory.h>
#include <travesty/host.h>
#include <travesty/view.h>

#include <cstddef>

namespace sferant::vst3
{

// What a host holds of an interface: a pointer to this record, whose first member is the
// interface's table. The record names the object that implements it.
template <class Object> struct Face
{
    const void* table;
    Object* object;

    static Object& of(void* self) { return *static_cast<Face*>(self)->object; }
};

inline bool sameId(const v3_tuid a, const v3_tuid b)
{
    return v3_tuid_match(a, b);
}

// ASCII (and any 8-bit text) to the hosts' UTF-16, truncated and terminated.
void toUtf16(const char* text, int16_t* out, std::size_t size);
// A host's UTF-16 text to 8-bit text; characters beyond 0xFF become '?'.
void fromUtf16(const int16_t* text, char* out, std::size_t size);

} // namespace sferant::vst3
