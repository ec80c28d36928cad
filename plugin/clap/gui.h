// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

// The editor inside the host's window, through the gui and timer-support extensions. Its
// gestures travel to the thread that processes as edits, which the plug-in applies and sends
// on to the host as gesture and value events.

namespace sferant::clap
{

class Encoder;

struct Edit
{
    enum Kind : std::uint8_t
    {
        kBegin,
        kValue,
        kEnd
    };
    Kind kind;
    std::uint8_t index;
    float value; // normalised
};

// One writer (the main thread) and one reader (whichever thread processes); no lock. An edit
// that finds the queue full is dropped.
class EditQueue
{
  public:
    bool push(const Edit& edit);
    bool pop(Edit& edit);

  private:
    static constexpr std::uint32_t kSize = 256;
    Edit edits[kSize];
    std::atomic<std::uint32_t> head{0}, tail{0};
};

class EditorWindow;

// The gui or timer-support extension with this id; null for any other.
const void* guiExtension(const char* id);
// Closes the editor, if open, and forgets it.
void destroyEditorWindow(Encoder& encoder, EditorWindow* window);

} // namespace sferant::clap
