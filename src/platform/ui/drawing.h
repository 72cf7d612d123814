#pragma once
// Text layout and classic frame drawing on a TCanvas: DrawText with its flags,
// DrawEdge, DrawFrameControl (our own drawing) and themed parts (drawn by the
// application's QStyle).
#include "platform/ui/graphics.h"

enum : unsigned {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
    DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_HIDEPREFIX = 0x100000,
    DT_PREFIXONLY = 0x200000,
};

// Lays out and draws text in r with the canvas font. Returns the text height.
// With DT_CALCRECT nothing is drawn and r is set to the bounds of the text.
// The background follows the brush: clear brush = transparent text.
int DrawText(TCanvas* canvas, const QString& text, TRect& r, unsigned flags);
inline int DrawText(TCanvas* canvas, const QString& text, int /*len*/, TRect* r, unsigned flags)
{ return DrawText(canvas, text, *r, flags); }

// Text broken into the lines DrawText would draw (for tests and measuring).
QStringList DrawTextLines(TCanvas* canvas, const QString& text, int width, unsigned flags);

enum : unsigned {
    BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : unsigned {
    BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8,
    BF_TOPLEFT = BF_TOP | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM, BF_DIAGONAL = 0x10,
    BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000,
};
// Classic 3-D edge; with BF_ADJUST r shrinks by the edge drawn.
bool DrawEdge(TCanvas* canvas, TRect& r, unsigned edge, unsigned flags);

enum : unsigned { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };
enum : unsigned {
    DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2,
    DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10,
    DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
    DFCS_SCROLLCOMBOBOX = 0x5, DFCS_CAPTIONCLOSE = 0x0,
    DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_TRANSPARENT = 0x800,
    DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000,
};
// Classic frame controls: push buttons, check boxes, radio buttons, scroll arrows.
bool DrawFrameControl(TCanvas* canvas, TRect& r, unsigned type, unsigned state);

// ---------------------------------------------------------------- themed parts
enum TThemedPart {
    tpPushButton, tpCheckBox, tpRadioButton, tpHeaderItem, tpComboArrow,
    tpSpinUp, tpSpinDown, tpProgressBar, tpProgressChunk,
};
enum TThemedStateFlag : unsigned {
    tsNormal = 0, tsHot = 1, tsPressed = 2, tsDisabled = 4, tsChecked = 8, tsMixed = 16,
    tsFocused = 32, tsDefault = 64,
};
// Visual styles are always active on the platform profile.
bool ThemesEnabled();
// Draws a part with the application's style (Fusion); `value` is the progress
// percentage for tpProgressBar.
void DrawThemedPart(TCanvas* canvas, const TRect& r, TThemedPart part, unsigned states, int value = 0);
// Size of a themed check box / radio button glyph.
TSize ThemedPartSize(TThemedPart part);
