// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/CControl.h"
#include "gui/CDrawContext.h"

// Converters that turn a display's value into its text. The buffer holds 256 characters
// and the converter must stay within it.
using CParamDisplayValueToString = void (*)(float value, char* text);
using CParamDisplayValueToStringWithData = void (*)(float value, char* text, void* userData);
using CParamDisplayStringToValue = void (*)(char* text, float& value);

// Style bits of a parameter display; every other bit is ignored.
enum CParamDisplayStyle
{
    kShadowText = 0x4,     // the text is drawn first in the shadow colour, one pixel right and down
    k3DIn = 0x80,          // back colour on the left and top edges, frame colour on the others
    k3DOut = 0x100,        // the opposite edge colours (ignored with k3DIn)
    kNoTextStyle = 0x800,  // no text
    kNoDrawStyle = 0x1000, // nothing at all
    kNoFrame = 0x4000,     // no outline around a filled background
};

// A read-only control showing its value as one line of text over a background bitmap or a
// filled rectangle. It has no listener and never reports a value.
class CParamDisplay : public CControl
{
  public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* type) const override;

    // The setters of what is drawn mark the display dirty only when the value changes.
    virtual void setFont(CFont font);
    virtual void setFontColor(CColor color);
    virtual void setBackColor(CColor color);
    virtual void setFrameColor(CColor color);
    virtual void setShadowColor(CColor color);
    virtual void setHoriAlign(CHoriTxtAlign align);
    virtual void setStyle(long newStyle);
    virtual void setTxtFace(CTxtFace face);
    // These only store; the new text shows at the next draw for another reason.
    virtual void setStringConvert(CParamDisplayValueToString convert);
    virtual void setStringConvert(CParamDisplayValueToStringWithData convert, void* userData);
    virtual void setString2FloatConvert(CParamDisplayStringToValue convert);
    virtual void setTextTransparency(bool transparent) { textTransparency = transparent; }

    CFont getFont() const { return font; }
    CColor getFontColor() const { return fontColor; }
    CColor getBackColor() const { return backColor; }
    CColor getFrameColor() const { return frameColor; }
    CColor getShadowColor() const { return shadowColor; }
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }
    long getStyle() const { return style; }
    CTxtFace getTxtFace() const { return txtFace; }
    bool getTextTransparency() const { return textTransparency; }

    // Draws the background (or `newBackground`), the edges and `text`, clipped to the
    // display's rectangle; for subclasses with texts of their own.
    void drawText(CDrawContext* context, const char* text, CBitmap* newBackground = nullptr);

  private:
    template <typename T> void change(T& field, T newValue);
    void drawBackground(CDrawContext* context, CBitmap* bitmap);
    void draw3DEdge(CDrawContext* context);

    CParamDisplayValueToString stringConvert = nullptr;
    CParamDisplayValueToStringWithData stringConvertWithData = nullptr;
    CParamDisplayStringToValue string2FloatConvert = nullptr;
    void* userData = nullptr;
    CHoriTxtAlign horiAlign = kCenterText;
    long style;
    CFont font = kNormalFont;
    CTxtFace txtFace = kNormalFace;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kRedCColor;
    bool textTransparency = true;
};
