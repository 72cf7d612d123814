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

    int Size() const { return FSize; }
    void SetSize(int V);
    TColor HourPointer() const { return FHourPointer; }
    void SetHourPointer(TColor V);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor V);
    TColor MinutePointerShadow() const { return FMinutePointerShadow; }
    void SetMinutePointerShadow(TColor V);
    TColor BackgroundColorTo() const { return FBackgroundColorTo; }
    void SetBackgroundColorTo(TColor V);
    TColor HourPointerShadow() const { return FHourPointerShadow; }
    void SetHourPointerShadow(TColor V);
    TColor SecondPointerShadow() const { return FSecondPointerShadow; }
    void SetSecondPointerShadow(TColor V);
    TColor SecondPointer() const { return FSecondPointer; }
    void SetSecondPointer(TColor V);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor V);
    TColor MinutePointer() const { return FMinutePointer; }
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
    TAMPMFrame AMPMFrame() const { return FAMPMFrame; }
    void SetAMPMFrame(TAMPMFrame V);
    TWatchShape Shape() const { return FWatchShape; }
    void SetShape(TWatchShape V);
    TPointerStyle PointerStyle() const { return FPointerStyle; }
    void SetPointerStyle(TPointerStyle V);
    TWatchBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TWatchBorderStyle V);
    int HourPointerSize() const { return FHourPointerSize; }
    void SetHourPointerSize(int V);
    int SecondPointerSize() const { return FSecondPointerSize; }
    void SetSecondPointerSize(int V);
    int MinutePointerSize() const { return FMinutePointerSize; }
    void SetMinutePointerSize(int V);
    TColor HourColor() const { return FHourColor; }
    void SetHourColor(TColor V);
    TColor MinuteColor() const { return FMinuteColor; }
    void SetMinuteColor(TColor V);
    int CenterPointSize() const { return FCenterPointSize; }
    void SetCenterPointSize(int V);
    TColor CenterPointColor() const { return FCenterPointColor; }
    void SetCenterPointColor(TColor V);
    TColor CenterPointBorderColor() const { return FCenterPointBorderColor; }
    void SetCenterPointBorderColor(TColor V);
    TWatchGradient BackgroundGradient() const { return FBackgroundGradient; }
    void SetBackgroundGradient(TWatchGradient V);
    int Rounding() const { return FRounding; }
    void SetRounding(int V);
    int HourMarkLength() const { return FHourMarkLength; }
    void SetHourMarkLength(int V);
    int HourMarkWidth() const { return FHourMarkWidth; }
    void SetHourMarkWidth(int V);
    int MinuteMarkLength() const { return FMinuteMarkLength; }
    void SetMinuteMarkLength(int V);
    int MinuteMarkWidth() const { return FMinuteMarkWidth; }
    void SetMinuteMarkWidth(int V);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int V);
    // The AM/PM box colours are stored without notification.
    TColor AMPMColor() const { return FAMPMColor; }
    void SetAMPMColor(TColor V) { FAMPMColor = V; }
    TColor AMPMBorderColor() const { return FAMPMBorderColor; }
    void SetAMPMBorderColor(TColor V) { FAMPMBorderColor = V; }
    TColor CenterPointOuterBorderColor() const { return FCenterPointOuterBorderColor; }
    void SetCenterPointOuterBorderColor(TColor V);
    TTickMarks TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMarks V);
    THourMarkStyle HourMarkStyle() const { return FHourMarkStyle; }
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

    int FSize = 0;
    TColor FHourPointer = 0;
    TColor FBackgroundColor = 0;
    TColor FMinutePointerShadow = 0;
    TColor FBackgroundColorTo = 0;
    TColor FHourPointerShadow = 0;
    TColor FSecondPointerShadow = 0;
    TColor FSecondPointer = 0;
    TColor FBorderColor = 0;
    TColor FMinutePointer = 0;
    TFont FHourFont;
    TFont FAMPMFont;
    TPicture FPicture;
    TAMPMFrame FAMPMFrame = apRect;
    TWatchShape FWatchShape = wsCircle;
    TPointerStyle FPointerStyle = psLine;
    TWatchBorderStyle FBorderStyle = wbLine;
    int FHourPointerSize = 0;
    int FSecondPointerSize = 0;
    int FMinutePointerSize = 0;
    TColor FHourColor = 0;
    TColor FMinuteColor = 0;
    int FCenterPointSize = 0;
    TColor FCenterPointColor = 0;
    TColor FCenterPointBorderColor = 0;
    TWatchGradient FBackgroundGradient = wgVertical;
    int FRounding = 0;
    int FHourMarkLength = 0;
    int FHourMarkWidth = 0;
    int FMinuteMarkLength = 0;
    int FMinuteMarkWidth = 0;
    int FBorderWidth = 0;
    TColor FAMPMColor = 0;
    TColor FAMPMBorderColor = 0;
    TColor FCenterPointOuterBorderColor = 0;
    TTickMarks FTickMarks = tmAll;
    THourMarkStyle FHourMarkStyle = hmsLine;
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
