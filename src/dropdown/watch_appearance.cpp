#include "dropdown/watch_appearance.h"

#include <algorithm>
#include <cmath>

#include "platform/core/sysutils.h"

// ---------------------------------------------------------------- TWatchAppearance

TWatchAppearance::TWatchAppearance()
{
    Reset();
    FPicture.OnChange = [this] { Changed(); };
}

TWatchAppearance::~TWatchAppearance()
{
    FPicture.OnChange = nullptr;
}

void TWatchAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

namespace {
void ResetFont(TFont& Font, const char* Name, int Size)
{
    TFont plain;
    plain.SetName(QString::fromLatin1(Name));
    plain.SetSize(Size);
    plain.SetColor(clWindowText);
    Font.Assign(plain);
}
} // namespace

void TWatchAppearance::Reset()
{
    FV = TValues{};
    ResetFont(FHourFont, "Tahoma", 8);
    ResetFont(FAMPMFont, "Tahoma", 10);
    if (FPicture.Graphic())
        FPicture.Clear();
}

void TWatchAppearance::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TWatchAppearance*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    const TValues own = FV;
    FV = src->FV;
    FHourFont.Assign(src->FHourFont);
    FAMPMFont.Assign(src->FAMPMFont);
    FPicture.Assign(&src->FPicture);
    // The last three go through their setters, so a change of them is announced.
    FV.FCenterPointOuterBorderColor = own.FCenterPointOuterBorderColor;
    FV.FTickMarks = own.FTickMarks;
    FV.FHourMarkStyle = own.FHourMarkStyle;
    SetCenterPointOuterBorderColor(src->FV.FCenterPointOuterBorderColor);
    SetTickMarks(src->FV.FTickMarks);
    SetHourMarkStyle(src->FV.FHourMarkStyle);
}

void TWatchAppearance::SetSize(int V) { Store(FV.FSize, V); }
void TWatchAppearance::SetHourPointer(TColor V) { Store(FV.FHourPointer, V); }
void TWatchAppearance::SetBackgroundColor(TColor V) { Store(FV.FBackgroundColor, V); }
void TWatchAppearance::SetMinutePointerShadow(TColor V) { Store(FV.FMinutePointerShadow, V); }
void TWatchAppearance::SetBackgroundColorTo(TColor V) { Store(FV.FBackgroundColorTo, V); }
void TWatchAppearance::SetHourPointerShadow(TColor V) { Store(FV.FHourPointerShadow, V); }
void TWatchAppearance::SetSecondPointerShadow(TColor V) { Store(FV.FSecondPointerShadow, V); }
void TWatchAppearance::SetSecondPointer(TColor V) { Store(FV.FSecondPointer, V); }
void TWatchAppearance::SetBorderColor(TColor V) { Store(FV.FBorderColor, V); }
void TWatchAppearance::SetMinutePointer(TColor V) { Store(FV.FMinutePointer, V); }

void TWatchAppearance::SetHourFont(const TFont& V)
{
    FHourFont.Assign(V);
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont& V)
{
    FAMPMFont.Assign(V);
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture* V)
{
    // The picture's own notification announces the change.
    FPicture.Assign(V);
}

void TWatchAppearance::SetAMPMFrame(TAMPMFrame V) { Store(FV.FAMPMFrame, V); }
void TWatchAppearance::SetShape(TWatchShape V) { Store(FV.FWatchShape, V); }
void TWatchAppearance::SetPointerStyle(TPointerStyle V) { Store(FV.FPointerStyle, V); }
void TWatchAppearance::SetBorderStyle(TWatchBorderStyle V) { Store(FV.FBorderStyle, V); }
void TWatchAppearance::SetHourPointerSize(int V) { Store(FV.FHourPointerSize, V); }
void TWatchAppearance::SetSecondPointerSize(int V) { Store(FV.FSecondPointerSize, V); }
void TWatchAppearance::SetMinutePointerSize(int V) { Store(FV.FMinutePointerSize, V); }
void TWatchAppearance::SetHourColor(TColor V) { Store(FV.FHourColor, V); }
void TWatchAppearance::SetMinuteColor(TColor V) { Store(FV.FMinuteColor, V); }
void TWatchAppearance::SetCenterPointSize(int V) { Store(FV.FCenterPointSize, V); }
void TWatchAppearance::SetCenterPointColor(TColor V) { Store(FV.FCenterPointColor, V); }
void TWatchAppearance::SetCenterPointBorderColor(TColor V) { Store(FV.FCenterPointBorderColor, V); }
void TWatchAppearance::SetBackgroundGradient(TWatchGradient V) { Store(FV.FBackgroundGradient, V); }
void TWatchAppearance::SetRounding(int V) { Store(FV.FRounding, V); }
void TWatchAppearance::SetHourMarkLength(int V) { Store(FV.FHourMarkLength, V); }
void TWatchAppearance::SetHourMarkWidth(int V) { Store(FV.FHourMarkWidth, V); }
void TWatchAppearance::SetMinuteMarkLength(int V) { Store(FV.FMinuteMarkLength, V); }
void TWatchAppearance::SetMinuteMarkWidth(int V) { Store(FV.FMinuteMarkWidth, V); }
void TWatchAppearance::SetBorderWidth(int V) { Store(FV.FBorderWidth, V); }
void TWatchAppearance::SetCenterPointOuterBorderColor(TColor V) { Store(FV.FCenterPointOuterBorderColor, V); }
void TWatchAppearance::SetTickMarks(TTickMarks V) { Store(FV.FTickMarks, V); }
void TWatchAppearance::SetHourMarkStyle(THourMarkStyle V) { Store(FV.FHourMarkStyle, V); }

// ---------------------------------------------------------------- TWatchSettings

void TWatchSettings::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TWatchSettings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FSeconds = src->FSeconds;
    FTimeOffset = src->FTimeOffset;
    SetAuto(src->FAuto);
}

void TWatchSettings::SetAuto(bool V)
{
    if (FAuto != V) {
        FAuto = V;
        Changed();
    }
}

void TWatchSettings::SetSecond(bool V)
{
    if (FSeconds != V) {
        FSeconds = V;
        Changed();
    }
}

void TWatchSettings::SetTimeOffset(int V)
{
    if (FTimeOffset != V) {
        FTimeOffset = V;
        Changed();
    }
}

// ---------------------------------------------------------------- watch styles

namespace {

// A value the preset leaves at its reset default.
constexpr int K = 0x7FFFFFFE;

struct TPresetFont {
    const char* Name = nullptr;
    int Size = K;
    TColor Color = K;
    int Style = K; // font style bits
};

constexpr int Regular = 0;
constexpr int Bold = fsBold;

// One row per watch face, in the order of TWatchStyle.
struct TWatchPreset {
    TPresetFont AMPMFont;
    TPresetFont HourFont;
    int AMPMFrame = K;
    TColor AMPMColor = K;
    TColor AMPMBorderColor = K;
    TColor BackgroundColor = K;
    TColor BackgroundColorTo = K;
    int BackgroundGradient = K;
    TColor BorderColor = K;
    int BorderWidth = K;
    TColor CenterPointColor = K;
    TColor CenterPointBorderColor = K;
    TColor CenterPointOuterBorderColor = K;
    int CenterPointSize = K;
    TColor HourColor = K;
    int HourMarkLength = K;
    int HourMarkWidth = K;
    int HourMarkStyle = K;
    TColor HourPointer = K;
    TColor HourPointerShadow = K;
    int HourPointerSize = K;
    TColor MinuteColor = K;
    int MinuteMarkLength = K;
    TColor MinutePointer = K;
    TColor MinutePointerShadow = K;
    int MinutePointerSize = K;
    TColor SecondPointer = K;
    int Shape = K;
    int PointerStyle = K;
    int TickMarks = K;
    TWatchStyleExtras Extras;
};

const TWatchPreset WatchPresets[] = {
    // wsClassic
    {.AMPMFont = {.Name = "MS Sans Serif", .Style = Regular},
     .HourFont = {.Name = "Comic Sans MS", .Size = 10, .Style = Bold},
     .HourMarkLength = 8, .HourPointer = 0x000000, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5,
     .MinuteMarkLength = 4, .MinutePointerShadow = clBtnShadow,
     .Extras = {.Animation = 1, .AnimationFactor = 10, .ShowAMPM = 1, .ShowNumbers = 1}},
    // wsTower
    {.AMPMFont = {.Name = "MS Sans Serif", .Style = Regular},
     .HourFont = {.Name = "Century", .Color = clWindowText, .Style = Bold},
     .AMPMFrame = apRect, .AMPMColor = 0xB1F0FE, .BackgroundColor = 0xB1F0FE, .BackgroundColorTo = 0x5BCCE8,
     .BackgroundGradient = wgDiagonalForward, .BorderWidth = 1, .CenterPointColor = 0x002BD5,
     .CenterPointSize = 6, .HourPointer = 0x000000, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5,
     .MinutePointerShadow = clBtnShadow, .SecondPointer = 0x002BD5, .Shape = wsRect, .PointerStyle = psPointer,
     .TickMarks = tmHours, .Extras = {.ShowNumbers = 0}},
    // wsFluorescent
    {.AMPMFont = {.Name = "MS Sans Serif", .Size = 10, .Color = clWindowText, .Style = Regular},
     .HourFont = {.Name = "MS Sans Serif", .Size = 8, .Color = clWindowText, .Style = Regular},
     .AMPMFrame = apRoundRect, .BackgroundColor = 0x000000, .BackgroundColorTo = 0x000000,
     .BorderColor = 0xFF3E3E, .CenterPointColor = 0xFF3E3E, .CenterPointBorderColor = 0x000000,
     .CenterPointOuterBorderColor = 0x000000, .CenterPointSize = 20, .HourColor = 0xFF3E3E, .HourMarkLength = 10,
     .HourMarkWidth = 2, .HourMarkStyle = hmsQuartDblLine, .HourPointer = 0xFF3E3E,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 2, .MinuteColor = 0xFF3E3E, .MinutePointer = 0xFF3E3E,
     .MinutePointerShadow = clBtnShadow, .MinutePointerSize = 2, .Shape = wsRoundRect, .TickMarks = tmHours,
     .Extras = {.ShowAMPM = 0, .ShowNumbers = 0}},
    // wsEmerald
    {.AMPMFont = {.Name = "MS Sans Serif", .Color = 0xA00000, .Style = Regular},
     .HourFont = {.Name = "MS Sans Serif", .Color = 0x3AE800, .Style = Regular},
     .AMPMFrame = apRoundRect, .AMPMColor = clNone, .BackgroundColor = 0x3AE800, .BackgroundColorTo = 0x000000,
     .BackgroundGradient = wgDiagonalForward, .BorderColor = 0x3AE800, .CenterPointColor = 0x38E100,
     .CenterPointBorderColor = 0x40FF00, .CenterPointOuterBorderColor = 0x000000, .CenterPointSize = 16,
     .HourColor = 0x3AE800, .HourMarkStyle = hmsQuartDblLine, .HourPointer = 0x40FF00,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinutePointer = 0x40FF00,
     .MinutePointerShadow = clBtnShadow, .SecondPointer = 0x00FFFF, .Shape = wsRect, .PointerStyle = psPointer,
     .TickMarks = tmHours, .Extras = {.ShowAMPM = 0, .ShowNumbers = 0}},
    // wsBlueStar
    {.AMPMFont = {.Name = "MS Sans Serif", .Size = 10, .Color = 0xA00000, .Style = Regular},
     .HourFont = {.Name = "MS Sans Serif", .Size = 8, .Color = 0xFFD5D5, .Style = Regular},
     .AMPMFrame = apRoundRect, .AMPMColor = clNone, .AMPMBorderColor = clNone, .BackgroundColor = 0xFFD5D5,
     .BackgroundColorTo = 0xA00000, .BackgroundGradient = wgRadial, .BorderColor = 0xFFD5D5,
     .HourPointer = 0xA00000, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinutePointer = 0xA00000,
     .MinutePointerShadow = clBtnShadow, .Shape = wsRoundRect, .PointerStyle = psPointer,
     .Extras = {.ShowAMPM = 1, .ShowNumbers = 1}},
    // wsFuchsia
    {.AMPMFont = {.Name = "MS Sans Serif", .Size = 10, .Color = clWindowText, .Style = Regular},
     .HourFont = {.Name = "MS Sans Serif", .Size = 8, .Color = clWindowText, .Style = Regular},
     .AMPMFrame = apRoundRect, .BackgroundColor = 0x000000, .BackgroundColorTo = 0x000000,
     .BorderColor = 0xFFD0FF, .CenterPointBorderColor = 0xDD68DD, .CenterPointOuterBorderColor = 0x000000,
     .CenterPointSize = 20, .HourColor = 0xFFD0FF, .HourMarkLength = 10, .HourMarkWidth = 2,
     .HourMarkStyle = hmsQuartDblLine, .HourPointer = 0xFFD0FF, .HourPointerShadow = clBtnShadow,
     .HourPointerSize = 2, .MinuteColor = 0xFFD0FF, .MinutePointer = 0xFFD0FF, .MinutePointerShadow = clBtnShadow,
     .MinutePointerSize = 2, .SecondPointer = 0xDD68DD, .Shape = wsRect, .TickMarks = tmQuartHours,
     .Extras = {.ShowAMPM = 0, .ShowNumbers = 0}},
    // wsBlack
    {.AMPMFont = {.Name = "MS Sans Serif", .Style = Regular},
     .HourFont = {.Name = "Century Gothic", .Size = 11, .Color = 0xFFFFFF},
     .BackgroundColor = 0x202020, .BorderColor = 0x000000, .CenterPointColor = 0xFFFFFF,
     .CenterPointBorderColor = 0xFFFFFF, .CenterPointOuterBorderColor = 0xFFFFFF, .HourColor = 0x585858,
     .HourPointer = 0xFFFFFF, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinuteColor = 0x585858,
     .MinuteMarkLength = 4, .MinutePointer = 0xFFFFFF, .MinutePointerShadow = clBtnShadow,
     .Extras = {.ShowAMPM = 0, .ShowNumbers = 1}},
    // wsBlackWhite
    {.AMPMFont = {},
     .HourFont = {.Name = "Century Gothic", .Size = 14, .Color = 0x000000, .Style = Bold},
     .BackgroundColor = 0xFFFFFF, .BorderColor = 0x000000, .BorderWidth = 8, .CenterPointColor = 0x000000,
     .CenterPointBorderColor = 0x000000, .CenterPointOuterBorderColor = 0x000000, .CenterPointSize = 8,
     .HourColor = 0x585858, .HourPointer = 0x000000, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5,
     .MinuteMarkLength = 4, .MinutePointer = 0x000000, .MinutePointerShadow = clBtnShadow,
     .SecondPointer = 0x000080, .PointerStyle = psPointer, .TickMarks = tmQuartHours,
     .Extras = {.ShowAMPM = 0, .ShowNumbers = 1}},
    // wsGray
    {.AMPMFont = {.Name = "MS Sans Serif", .Size = 10},
     .HourFont = {.Name = "Comic Sans MS", .Size = 8, .Style = Regular},
     .BackgroundColor = 0xD1D1D1, .BackgroundColorTo = 0x6C6C6C, .BackgroundGradient = wgRadial,
     .BorderColor = 0x454545, .CenterPointColor = 0x000000, .CenterPointBorderColor = 0x454545,
     .CenterPointOuterBorderColor = clNone, .HourColor = 0x000000, .HourPointer = 0x4E4E4E,
     .HourPointerShadow = clNone, .HourPointerSize = 1, .MinuteColor = 0x808080, .MinutePointer = 0x4E4E4E,
     .MinutePointerShadow = clNone, .MinutePointerSize = 1, .SecondPointer = 0x0000FF,
     .Extras = {.ShowAMPM = 1, .ShowNumbers = 1}},
    // wsSuperNova (mark lengths follow the control's size)
    {.AMPMFont = {}, .HourFont = {}, .BackgroundColorTo = 0xD1D3D3, .BorderColor = clNone, .CenterPointOuterBorderColor = 0x000000,
     .CenterPointSize = 10, .HourPointer = 0x000000, .HourPointerShadow = clBtnShadow, .MinuteColor = 0x808080,
     .MinutePointer = 0x000000, .Extras = {.ShowAMPM = 0, .ShowNumbers = 0}},
    // wsSports (the centre point follows the control's size)
    {.AMPMFont = {},
     .HourFont = {.Name = "Times New Roman", .Size = 9, .Color = 0x797979},
     .BackgroundColor = 0x000000, .BorderColor = 0x000000, .BorderWidth = 1, .CenterPointColor = 0x191919,
     .CenterPointBorderColor = 0xFF0000, .CenterPointOuterBorderColor = 0x000000, .HourColor = 0xABB0B1,
     .HourPointer = 0x0000FF, .HourPointerShadow = clNone, .HourPointerSize = 2, .MinuteColor = 0x808080,
     .MinuteMarkLength = 1, .MinutePointer = 0x00FFFF, .MinutePointerShadow = clNone, .MinutePointerSize = 2,
     .SecondPointer = 0x188BFE, .TickMarks = tmQuartHours, .Extras = {.ShowAMPM = 0, .ShowNumbers = 1}},
    // wsSmooth
    {.AMPMFont = {},
     .HourFont = {.Name = "Times New Roman", .Size = 9, .Color = 0x797979},
     .BackgroundColor = 0xFFFFFF, .BackgroundColorTo = 0xABB0B1, .BorderColor = 0x585858, .BorderWidth = 1,
     .CenterPointColor = 0xFFFFFF, .CenterPointBorderColor = 0x000000, .CenterPointOuterBorderColor = 0x4A4A4A,
     .CenterPointSize = 6, .HourColor = 0xABB0B1, .HourPointer = 0x4A4A4A, .HourPointerShadow = 0xB2B2B2,
     .HourPointerSize = 2, .MinuteColor = 0x808080, .MinuteMarkLength = 1, .MinutePointer = 0x4A4A4A,
     .MinutePointerShadow = 0xB2B2B2, .MinutePointerSize = 2, .SecondPointer = 0x4A4A4A,
     .TickMarks = tmQuartHours, .Extras = {.ShowAMPM = 0, .ShowNumbers = 1}},
};

void ApplyFont(TFont* Font, const TPresetFont& P)
{
    if (P.Name)
        Font->SetName(QString::fromLatin1(P.Name));
    if (P.Size != K)
        Font->SetSize(P.Size);
    if (P.Color != K)
        Font->SetColor(P.Color);
    if (P.Style != K)
        Font->SetStyle(TFontStyles::FromBits(unsigned(P.Style)));
}

template <class T, class V>
void Put(TWatchAppearance& A, void (TWatchAppearance::*Setter)(T), V Value)
{
    if (Value != K)
        (A.*Setter)(T(Value));
}

// Columns of a scheme row; the background runs from Background to BackgroundTo.
struct TWatchScheme {
    TColor AMPMFrame;
    TColor AMPMFill;
    TColor Background;
    TColor BackgroundTo;
    TColor Border;
    TColor CenterBorder;
    TColor CenterFill;
    TColor Ink;
    TColor Second;
    TColor Shadow;
    TColor FontColor; // clNone: the fonts stay black
};

// One row per TQRVStyle, in its order; the tsCustom row is never read.
const TWatchScheme WatchSchemes[] = {
    {0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF, clNone},
    {0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF, clNone},
    {0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF, clNone},
    {0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, clNone},
    {0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0x723708, 0xFFFFFF, clNone},
    {0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
    {0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF, clNone},
    {0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, clNone},
    {}, // tsCustom
    {0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0x74706F, 0xFFFFFF, clNone},
    {0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, clNone},
    {0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, clNone},
    {0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, clNone},
    {0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, clNone},
    {0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, clNone},
    {0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, clNone},
};

} // namespace

TWatchStyleExtras ApplyWatchStyle(TWatchAppearance& A, TWatchStyle Style, int Width, int Height)
{
    if (int(Style) < 0 || size_t(Style) >= std::size(WatchPresets))
        return {};
    const TWatchPreset& p = WatchPresets[Style];
    A.Reset();
    ApplyFont(A.AMPMFont(), p.AMPMFont);
    ApplyFont(A.HourFont(), p.HourFont);
    Put(A, &TWatchAppearance::SetAMPMFrame, p.AMPMFrame);
    Put(A, &TWatchAppearance::SetAMPMColor, p.AMPMColor);
    Put(A, &TWatchAppearance::SetAMPMBorderColor, p.AMPMBorderColor);
    Put(A, &TWatchAppearance::SetBackgroundColor, p.BackgroundColor);
    Put(A, &TWatchAppearance::SetBackgroundColorTo, p.BackgroundColorTo);
    Put(A, &TWatchAppearance::SetBackgroundGradient, p.BackgroundGradient);
    Put(A, &TWatchAppearance::SetBorderColor, p.BorderColor);
    Put(A, &TWatchAppearance::SetBorderWidth, p.BorderWidth);
    Put(A, &TWatchAppearance::SetCenterPointColor, p.CenterPointColor);
    Put(A, &TWatchAppearance::SetCenterPointBorderColor, p.CenterPointBorderColor);
    Put(A, &TWatchAppearance::SetCenterPointOuterBorderColor, p.CenterPointOuterBorderColor);
    Put(A, &TWatchAppearance::SetCenterPointSize, p.CenterPointSize);
    Put(A, &TWatchAppearance::SetHourColor, p.HourColor);
    Put(A, &TWatchAppearance::SetHourMarkLength, p.HourMarkLength);
    Put(A, &TWatchAppearance::SetHourMarkWidth, p.HourMarkWidth);
    Put(A, &TWatchAppearance::SetHourMarkStyle, p.HourMarkStyle);
    Put(A, &TWatchAppearance::SetHourPointer, p.HourPointer);
    Put(A, &TWatchAppearance::SetHourPointerShadow, p.HourPointerShadow);
    Put(A, &TWatchAppearance::SetHourPointerSize, p.HourPointerSize);
    Put(A, &TWatchAppearance::SetMinuteColor, p.MinuteColor);
    Put(A, &TWatchAppearance::SetMinuteMarkLength, p.MinuteMarkLength);
    Put(A, &TWatchAppearance::SetMinutePointer, p.MinutePointer);
    Put(A, &TWatchAppearance::SetMinutePointerShadow, p.MinutePointerShadow);
    Put(A, &TWatchAppearance::SetMinutePointerSize, p.MinutePointerSize);
    Put(A, &TWatchAppearance::SetSecondPointer, p.SecondPointer);
    Put(A, &TWatchAppearance::SetShape, p.Shape);
    Put(A, &TWatchAppearance::SetPointerStyle, p.PointerStyle);
    Put(A, &TWatchAppearance::SetTickMarks, p.TickMarks);
    const int side = std::min(Width, Height);
    if (Style == wsSuperNova) {
        A.SetHourMarkLength(int(RoundHalfEven(side / 4.5)));
        A.SetMinuteMarkLength(side / 3);
    } else if (Style == wsSports) {
        A.SetCenterPointSize(int(RoundHalfEven(side / 3.6)));
    }
    return p.Extras;
}

void ApplyWatchColorScheme(TWatchAppearance& A, TQRVStyle Style)
{
    A.SetCenterPointOuterBorderColor(0x000000);
    A.HourFont()->SetColor(0x000000);
    A.AMPMFont()->SetColor(0x000000);
    if (Style == tsCustom || int(Style) < 0 || size_t(Style) >= std::size(WatchSchemes))
        return;
    const TWatchScheme& s = WatchSchemes[Style];
    A.SetAMPMBorderColor(s.AMPMFrame);
    A.SetAMPMColor(s.AMPMFill);
    A.SetBackgroundColor(s.Background);
    A.SetBackgroundColorTo(s.BackgroundTo);
    A.SetBorderColor(s.Border);
    A.SetCenterPointBorderColor(s.CenterBorder);
    A.SetCenterPointColor(s.CenterFill);
    A.SetHourColor(s.Ink);
    A.SetMinuteColor(s.Ink);
    A.SetHourPointer(s.Ink);
    A.SetMinutePointer(s.Ink);
    A.SetSecondPointer(s.Second);
    A.SetHourPointerShadow(s.Shadow);
    A.SetMinutePointerShadow(s.Shadow);
    if (s.FontColor != clNone) {
        A.HourFont()->SetColor(s.FontColor);
        A.AMPMFont()->SetColor(s.FontColor);
    }
}
