// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditionBadge.h"

#include "gui/CDrawContext.h"

#include <cstring>

namespace
{

// The panel's accent, the orange of the knobs' pointers, on the title strip's dark ground.
constexpr CColor kAccent = {236, 142, 42, 255};
constexpr CColor kGround = {38, 34, 46, 255};

} // namespace

EditionBadge::EditionBadge(const CRect& size, const char* text) : CView(size), text(text)
{
    setMouseEnabled(false);
}

void EditionBadge::draw(CDrawContext* context)
{
    context->setFillColor(kGround);
    context->fillRect(size);
    context->setLineWidth(1);
    context->setFrameColor(kAccent);
    context->drawRect(size);
    context->setFont(kSmallFont, 0, kBoldFace);
    context->setFontColor(kAccent);
    context->drawString(text.c_str(), size, 0, kCenterText);
    setDirty(false);
}

bool EditionBadge::isTypeOf(const char* type) const
{
    return std::strcmp(type, "EditionBadge") == 0 || CView::isTypeOf(type);
}
