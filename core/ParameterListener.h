// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sferant
{

// What a plug-in tells its editor, whatever the plug-in format: a parameter's value changed
// (the editor reads it back through its host).
class ParameterListener
{
  public:
    // Called on whichever thread made the change.
    virtual void parameterChanged(int index) = 0;

  protected:
    ~ParameterListener() = default;
};

} // namespace sferant
