#pragma once
// What the two table drop-downs (multi-column and grid) share: the colours
// they take from a component style and a selection colour style (header
// gradient, header font, grid lines and selection; both carry the same
// setters), the completion of typed text from the lookup list, the popup
// height in whole rows and the scaling of column widths to the popup.

#include "dropdown/selector_enums.h"
#include "grid/style_interfaces.h"
#include "platform/core/stringlist.h"
#include "platform/ui/graphics.h"

#include <cmath>
#include <vector>

#include <iterator>

struct TTableStyleRow {
    TColor Header, HeaderTo;
    TSelectionColorStyle Selection;
    TColor HeaderFont, Line, FixedLine, Sel, SelTo, SelText;
};

inline constexpr TColor kTableStyleKeep = clDefault; // the column leaves the value as it is

// One row per component style, in the order of TQRVStyle.
inline constexpr TTableStyleRow kTableStyles[] = {
    /* tsOffice2003Blue */ {0x00D68759, 0x00933803, scOffice2007, 0x00FFFFFF, 0x00962D00, 0x00962D00, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsOffice2003Silver */ {0x00BDA4A5, 0x00957475, scOffice2007, kTableStyleKeep, 0x00947C7C, 0x00947C7C, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsOffice2003Olive */ {0x0082C0AF, 0x00447A63, scOffice2007, kTableStyleKeep, 0x00588060, 0x00588060, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsOffice2003Classic */ {0x00808080, 0x00808080, scOffice2007, kTableStyleKeep, 0x00808080, 0x00808080, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsOffice2007Luna */ {0x00FFEFE3, 0x00FFD2AF, scOffice2007, 0x00723708, 0x00FFD2AF, 0x00FFD2AF, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsOffice2007Obsidian */ {0x00F2F1F0, 0x00C9C2BD, scOffice2007, 0x00433C37, 0x005C534C, 0x005C534C, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsWindowsXP */ {clBtnFace, clBtnFace, scCustom, 0, 0x00C0C0C0, 0, clHighlight, clHighlight, clHighlightText},
    /* tsWhidbey */ {0x00EBEEEF, 0x007E9898, scOffice2007, 0x00FFFFFF, 0x00962D00, 0x00962D00, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsCustom */ {},
    /* tsOffice2007Silver */ {0x00F8F7F6, 0x00E8E0DB, scOffice2007, 0x008B4215, 0x0074706F, 0x0074706F, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsWindowsVista */ {0x00FFFDF9, 0x00FFFAF0, scWindowsVista, 0, 0x00FCF2DA, 0x00FCF2DA, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsWindows7 */ {0x00FDFBFA, 0x00FDF3EB, scWindows7, 0, 0x00FBD6B8, 0x00FBD6B8, kTableStyleKeep, kTableStyleKeep, 0},
    /* tsTerminal */ {clBtnFace, clBtnFace, scCustom, 0, 0x00808080, 0x00808080, clHighlight, clHighlight, clHighlightText},
    /* tsOffice2010Blue */ {0x00EDDBCD, clNone, scCustom, 0x005B391E, 0x00EEDDCF, 0x00EEDDCF, 0x006CD0FF, 0x006CD0FF, 0},
    /* tsOffice2010Silver */ {0x00EDE9E5, clNone, scCustom, 0x005B391E, 0x00EEDDCF, 0x00EEDDCF, 0x006CD0FF, 0x006CD0FF, 0},
    /* tsOffice2010Black */ {0x00828282, clNone, scCustom, 0x00D7D7D6, 0x00EEDDCF, 0x00EEDDCF, 0x006CD0FF, 0x006CD0FF, 0},
};

// The table colours of a component style (tsCustom changes nothing).
template <class TTable>
void ApplyTableStyle(TTable& E, TQRVStyle AStyle)
{
    if (AStyle == tsCustom || int(AStyle) < 0 || int(AStyle) >= int(std::size(kTableStyles))) return;
    const TTableStyleRow& s = kTableStyles[AStyle];
    E.SetHeaderColor(s.Header);
    E.SetHeaderColorTo(s.HeaderTo);
    E.SetSelectionColorStyle(s.Selection);
    if (s.HeaderFont != kTableStyleKeep) E.HeaderFont()->SetColor(s.HeaderFont);
    E.SetLineColor(s.Line);
    E.SetFixedLineColor(s.FixedLine);
    if (s.Sel != kTableStyleKeep) E.SetSelectionColor(s.Sel);
    if (s.SelTo != kTableStyleKeep) E.SetSelectionColorTo(s.SelTo);
    E.SetSelectionTextColor(s.SelText);
}

// The grid line colours of a selection colour style (scCustom changes nothing).
template <class TTable>
void ApplyTableLineStyle(TTable& E, TSelectionColorStyle Value)
{
    switch (Value) {
    case scOffice2007: E.SetLineColor(0x00F1EDEB); E.SetFixedLineColor(0x00D1BBA4); break;
    case scWindowsVista:
    case scWindows7: E.SetLineColor(0x00ECECF0); E.SetFixedLineColor(0x00D4D2D1); break;
    case scCustom: break;
    }
}

// The lookup entry that completes the typed part of Text (up to Caret): the
// first entry starting with it, compared upper-cased unless MatchCase. Text
// keeps its typed characters and gets the entry's after them (at most 255).
struct TTypedCompletion {
    int Index = -1; // -1: no entry completes the typed part
    int TypedLength = 0;
    QString Typed, Completed;
};
inline TTypedCompletion CompleteTyped(const TStringList& Entries, const QString& Text, int Caret, bool MatchCase)
{
    TTypedCompletion r;
    r.Typed = Text.left(std::min<int>(Caret, Text.size()));
    const QString Prefix = MatchCase ? r.Typed : r.Typed.toUpper();
    r.TypedLength = Prefix.size();
    for (int i = 0; i < Entries.Count(); ++i) {
        const QString Entry = Entries.Get(i);
        if (!(MatchCase ? Entry : Entry.toUpper()).startsWith(Prefix)) continue;
        r.Index = i;
        r.Completed = Text.left(Prefix.size()) + Entry.mid(Prefix.size(), 255);
        return r;
    }
    return r;
}

// The popup height snapped to whole rows below the panels and the header row;
// a row height below 1 leaves the height as computed (it would divide by zero).
inline int WholeRowPopupHeight(int Height, int Panels, int HeaderHeight, int RowHeight, int Margin)
{
    if (RowHeight < 1) return Height;
    const int Rows = (Height - Panels - HeaderHeight - 2) / RowHeight;
    return Panels + HeaderHeight + Rows * RowHeight + Margin;
}

// Widths scaled from a total of 1 + their sum to Avail: each rounded to
// nearest (halves to even), and a column gets one pixel more whenever the
// carried rounding remainder exceeds 1.
inline std::vector<int> ScaleColumnWidths(const std::vector<int>& Widths, int Avail)
{
    int Total = 1;
    for (int w : Widths) Total += w;
    const double Factor = double(Avail) / double(Total);
    double Carry = 0.0;
    std::vector<int> Out;
    Out.reserve(Widths.size());
    for (int w0 : Widths) {
        const double Exact = Factor * w0;
        int w = int(std::nearbyint(Exact));
        Carry += Exact - w;
        if (Carry > 1.0) {
            Carry -= 1.0;
            ++w;
        }
        Out.push_back(w);
    }
    return Out;
}
