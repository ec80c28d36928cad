// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CView.h"

#include <string>

// The edition's name in a small framed box beside the panel's title, so that the user sees
// which plug-in is open. It takes no mouse and never changes.
class EditionBadge : public CView
{
  public:
    EditionBadge(const CRect& size, const char* text);

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* type) const override;

  private:
    std::string text;
};
