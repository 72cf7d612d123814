// Cell markup from outside (imported or pasted cells): laid out, drawn and
// hit-tested on a recording canvas, and run through the markup routines.
// Builds with libFuzzer or, without it, as a program over the files it is given.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "grid/html_markup.h"
#include "grid/html_render.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
    TRecordingCanvas canvas;
    for (int mode = 0; mode < 3; ++mode) {
        THTMLTextParams p;
        p.Canvas = &canvas;
        p.Text = text;
        p.Rect = TRect(0, 0, 120, 80);
        p.WordWrap = mode != 1;
        p.CalcOnly = mode == 1;
        p.CheckHotSpot = mode == 2;
        p.XPos = 30;
        p.YPos = 6;
        p.ControlID = QStringLiteral("e");
        DrawHTMLText(p);
        canvas.Clear();
    }
    QString v;
    GetHTMLControlValue(text, QStringLiteral("e"), v);
    QString t = text;
    SetHTMLControlValue(t, QStringLiteral("e"), text.left(8));
    ClearHTMLRadioControls(text);
    NextHTMLEditControl(text, QString());
    UnescapeHTMLText(EscapeHTMLText(text, true), true);
    HTMLToPlainText(text);
    const QString hi = HighlightHTMLText(text, text.left(2), QStringLiteral("hi"), false);
    UnhighlightHTMLText(hi, QStringLiteral("hi"));
    return 0;
}

#include "fuzz_standalone_main.h"
