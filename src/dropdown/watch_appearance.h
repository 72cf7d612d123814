#pragma once
// The look and the mode of the analogue watch, and the two sets of presets that
// fill the look: the twelve named watch faces and the colour schemes of the
// suite's visual styles. The time picker keeps its own copies of both objects
// and hands them to its watch at every opening.

#include <functional>

#include "grid/style_interfaces.h"
#include "platform/core/classes.h"
#include "platform/ui/graphics.h"

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
// Only psLine and psPointer draw hands; the other two show the centre point alone.
enum TPointerStyle { psLine, psShortLine, psLineArrow, psPointer };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
// wgRadial runs left to right; the others top to bottom.
enum TWatchGradient { wgVertical, wgDiagonalForward, wgDiagonalBackward, wgRadial };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
    wsSuperNova, wsSports, wsSmooth
};

using TWatchNotify = std::function<void(TObject* Sender)>;

class TWatchAppearance : public TPersistent {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;
    TWatchAppearance(const TWatchAppearance&) = delete;
    TWatchAppearance& operator=(const TWatchAppearance&) = delete;

    // Every field back to its default; the fonts and the picture keep their objects.
    void Reset();
    void Assign(const TPersistent* Source) override;

    int Size() const { return FV.FSize; }
    void SetSize(int V);
    TColor HourPointer() const { return FV.FHourPointer; }
    void SetHourPointer(TColor V);
    TColor BackgroundColor() const { return FV.FBackgroundColor; }
    void SetBackgroundColor(TColor V);
    TColor MinutePointerShadow() const { return FV.FMinutePointerShadow; }
    void SetMinutePointerShadow(TColor V);
    TColor BackgroundColorTo() const { return FV.FBackgroundColorTo; }
    void SetBackgroundColorTo(TColor V);
    TColor HourPointerShadow() const { return FV.FHourPointerShadow; }
    void SetHourPointerShadow(TColor V);
    TColor SecondPointerShadow() const { return FV.FSecondPointerShadow; }
    void SetSecondPointerShadow(TColor V);
    TColor SecondPointer() const { return FV.FSecondPointer; }
    void SetSecondPointer(TColor V);
    TColor BorderColor() const { return FV.FBorderColor; }
    void SetBorderColor(TColor V);
    TColor MinutePointer() const { return FV.FMinutePointer; }
    void SetMinutePointer(TColor V);
    TFont* HourFont() { return &FHourFont; }
    const TFont* HourFont() const { return &FHourFont; }
    void SetHourFont(const TFont& V);
    TFont* AMPMFont() { return &FAMPMFont; }
    const TFont* AMPMFont() const { return &FAMPMFont; }
    void SetAMPMFont(const TFont& V);
    TPicture* Picture() { return &FPicture; }
    const TPicture* Picture() const { return &FPicture; }
    void SetPicture(const TPicture* V);
    TAMPMFrame AMPMFrame() const { return FV.FAMPMFrame; }
    void SetAMPMFrame(TAMPMFrame V);
    TWatchShape Shape() const { return FV.FWatchShape; }
    void SetShape(TWatchShape V);
    TPointerStyle PointerStyle() const { return FV.FPointerStyle; }
    void SetPointerStyle(TPointerStyle V);
    TWatchBorderStyle BorderStyle() const { return FV.FBorderStyle; }
    void SetBorderStyle(TWatchBorderStyle V);
    int HourPointerSize() const { return FV.FHourPointerSize; }
    void SetHourPointerSize(int V);
    int SecondPointerSize() const { return FV.FSecondPointerSize; }
    void SetSecondPointerSize(int V);
    int MinutePointerSize() const { return FV.FMinutePointerSize; }
    void SetMinutePointerSize(int V);
    TColor HourColor() const { return FV.FHourColor; }
    void SetHourColor(TColor V);
    TColor MinuteColor() const { return FV.FMinuteColor; }
    void SetMinuteColor(TColor V);
    int CenterPointSize() const { return FV.FCenterPointSize; }
    void SetCenterPointSize(int V);
    TColor CenterPointColor() const { return FV.FCenterPointColor; }
    void SetCenterPointColor(TColor V);
    TColor CenterPointBorderColor() const { return FV.FCenterPointBorderColor; }
    void SetCenterPointBorderColor(TColor V);
    TWatchGradient BackgroundGradient() const { return FV.FBackgroundGradient; }
    void SetBackgroundGradient(TWatchGradient V);
    int Rounding() const { return FV.FRounding; }
    void SetRounding(int V);
    int HourMarkLength() const { return FV.FHourMarkLength; }
    void SetHourMarkLength(int V);
    int HourMarkWidth() const { return FV.FHourMarkWidth; }
    void SetHourMarkWidth(int V);
    int MinuteMarkLength() const { return FV.FMinuteMarkLength; }
    void SetMinuteMarkLength(int V);
    int MinuteMarkWidth() const { return FV.FMinuteMarkWidth; }
    void SetMinuteMarkWidth(int V);
    int BorderWidth() const { return FV.FBorderWidth; }
    void SetBorderWidth(int V);
    // The AM/PM box colours are stored without notification.
    TColor AMPMColor() const { return FV.FAMPMColor; }
    void SetAMPMColor(TColor V) { FV.FAMPMColor = V; }
    TColor AMPMBorderColor() const { return FV.FAMPMBorderColor; }
    void SetAMPMBorderColor(TColor V) { FV.FAMPMBorderColor = V; }
    TColor CenterPointOuterBorderColor() const { return FV.FCenterPointOuterBorderColor; }
    void SetCenterPointOuterBorderColor(TColor V);
    TTickMarks TickMarks() const { return FV.FTickMarks; }
    void SetTickMarks(TTickMarks V);
    THourMarkStyle HourMarkStyle() const { return FV.FHourMarkStyle; }
    void SetHourMarkStyle(THourMarkStyle V);

    TWatchNotify OnChange;

private:
    void Changed();
    template <class T>
    void Store(T& Field, T Value)
    {
        if (Field != Value) {
            Field = Value;
            Changed();
        }
    }

    // Everything but the fonts and the picture, in field order; the
    // initialisers are the defaults the reset restores.
    struct TValues {
        int FSize = 0; // automatic: the client's smaller side less 20
        TColor FHourPointer = 0x000000;
        TColor FBackgroundColor = 0xFFFFFF;
        TColor FMinutePointerShadow = clBtnShadow;
        TColor FBackgroundColorTo = clNone;
        TColor FHourPointerShadow = clBtnShadow;
        TColor FSecondPointerShadow = clBtnShadow; // kept, never drawn
        TColor FSecondPointer = 0x0000FF;
        TColor FBorderColor = 0x000000;
        TColor FMinutePointer = 0x000000;
        TAMPMFrame FAMPMFrame = apRect;
        TWatchShape FWatchShape = wsCircle;
        TPointerStyle FPointerStyle = psLine;
        TWatchBorderStyle FBorderStyle = wbLine; // kept, never drawn
        int FHourPointerSize = 4;
        int FSecondPointerSize = 1;
        int FMinutePointerSize = 3;
        TColor FHourColor = 0x000000;
        TColor FMinuteColor = 0x808080;
        int FCenterPointSize = 4;
        TColor FCenterPointColor = 0x000000;
        TColor FCenterPointBorderColor = clNone;
        TWatchGradient FBackgroundGradient = wgVertical;
        int FRounding = 5; // kept, never drawn
        int FHourMarkLength = 0;  // automatic
        int FHourMarkWidth = 1;
        int FMinuteMarkLength = 0; // automatic
        int FMinuteMarkWidth = 1;
        int FBorderWidth = 4;
        TColor FAMPMColor = 0xFFFFFF;
        TColor FAMPMBorderColor = 0x000000;
        TColor FCenterPointOuterBorderColor = clNone;
        TTickMarks FTickMarks = tmAll;
        THourMarkStyle FHourMarkStyle = hmsLine;
    };
    TValues FV;
    TFont FHourFont;
    TFont FAMPMFont;
    TPicture FPicture;
};

class TWatchSettings : public TPersistent {
public:
    void Assign(const TPersistent* Source) override;
    // Live clock.
    bool Auto() const { return FAuto; }
    void SetAuto(bool V);
    // Second hand in live mode.
    bool Second() const { return FSeconds; }
    void SetSecond(bool V);
    // Minutes added to the system time in live mode.
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int V);
    TWatchNotify OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    bool FAuto = false;
    bool FSeconds = true;
    int FTimeOffset = 0;
};

// What a watch style sets beside the appearance.
struct TWatchStyleExtras {
    int Animation = -1;       // -1: unchanged, else 0 / 1
    int AnimationFactor = -1; // -1: unchanged
    int ShowAMPM = -1;
    int ShowNumbers = -1;
};

// Resets Appearance and applies the preset of Style for a watch of Width x
// Height pixels; returns what the watch itself must set. A Style outside the
// twelve changes nothing.
TWatchStyleExtras ApplyWatchStyle(TWatchAppearance& Appearance, TWatchStyle Style, int Width, int Height);

// The colour scheme of a visual style: the centre point's outer border and the
// two font colours become black first; tsCustom applies nothing more.
void ApplyWatchColorScheme(TWatchAppearance& Appearance, TQRVStyle Style);
