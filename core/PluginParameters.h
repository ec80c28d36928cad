// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plug-in's parameters as its editor reaches them, whatever the plug-in format: each
// format's adapter implements this over its own host calls, and tells the editor of every
// change through a ParameterListener.

namespace sferant
{

class PluginParameters
{
  public:
    // The current normalised value of parameter index (0 to kNumParams - 1).
    virtual float value(int index) const = 0;
    // A user gesture on the control of parameter index: its begin, each new value, its end.
    virtual void beginGesture(int index) = 0;
    virtual void setFromGesture(int index, float value) = 0;
    virtual void endGesture(int index) = 0;

  protected:
    ~PluginParameters() = default;
};

class ParameterListener
{
  public:
    // The value of parameter index changed (read it through PluginParameters); called on
    // whichever thread made the change.
    virtual void parameterChanged(int index) = 0;

  protected:
    ~ParameterListener() = default;
};

} // namespace sferant
