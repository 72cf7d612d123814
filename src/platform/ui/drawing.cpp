#include "platform/ui/drawing.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>

namespace {
// Removes prefix ampersands; returns the index of the underlined character or -1.
QString StripPrefix(const QString& s, int& underline)
{
    underline = -1;
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size()) {
            ++i;
            if (s[i] != QLatin1Char('&')) underline = int(out.size());
        }
        out += s[i];
    }
    return out;
}

QString ExpandTabs(const QString& s)
{
    QString out;
    for (QChar c : s) {
        if (c == QLatin1Char('\t')) {
            int n = 8 - int(out.size() % 8);
            out += QString(n, QLatin1Char(' '));
        } else out += c;
    }
    return out;
}

QString Ellipsize(TCanvas* c, const QString& s, int width)
{
    if (c->TextWidth(s) <= width) return s;
    const QString dots = QStringLiteral("...");
    QString t = s;
    while (!t.isEmpty() && c->TextWidth(t + dots) > width) t.chop(1);
    return t + dots;
}

// Breaks one paragraph at spaces to fit width; words wider than width are split
// only for edit-control layout.
void WrapParagraph(TCanvas* c, const QString& para, int width, bool splitWords, QStringList& out)
{
    if (para.isEmpty()) { out << QString(); return; }
    QString line;
    int i = 0;
    const int n = int(para.size());
    while (i < n) {
        // next word including its trailing spaces
        int j = i;
        while (j < n && para[j] != QLatin1Char(' ')) ++j;
        int k = j;
        while (k < n && para[k] == QLatin1Char(' ')) ++k;
        const QString word = para.mid(i, j - i);
        const QString candidate = line + word;
        if (line.isEmpty() || c->TextWidth(candidate) <= width) {
            if (line.isEmpty() && splitWords && c->TextWidth(word) > width) {
                QString piece;
                for (QChar ch : word) {
                    if (!piece.isEmpty() && c->TextWidth(piece + ch) > width) { out << piece; piece.clear(); }
                    piece += ch;
                }
                line = piece;
            } else {
                line = candidate;
            }
            line += para.mid(j, k - j);
        } else {
            while (line.endsWith(QLatin1Char(' '))) line.chop(1);
            out << line;
            line.clear();
            continue; // place the word on the new line
        }
        i = k;
    }
    while (line.endsWith(QLatin1Char(' ')) && line.trimmed().size() > 0) line.chop(1);
    out << line;
}
} // namespace

QStringList DrawTextLines(TCanvas* canvas, const QString& text, int width, unsigned flags)
{
    QString t = text;
    if (flags & DT_EXPANDTABS) t = ExpandTabs(t);
    QStringList out;
    if (flags & DT_SINGLELINE) {
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        t.replace(QLatin1Char('\r'), QLatin1Char(' '));
        out << t;
        return out;
    }
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paras = t.split(QLatin1Char('\n'));
    for (const QString& p : paras) {
        if (flags & DT_WORDBREAK) WrapParagraph(canvas, p, width, flags & DT_EDITCONTROL, out);
        else out << p;
    }
    return out;
}

int DrawText(TCanvas* canvas, const QString& text, TRect& r, unsigned flags)
{
    if (!canvas) return 0;
    if (canvas->MapMode() != MM_TEXT && !canvas->IsRecording()) {
        // Lay the text out in pixels, where lines run downwards, and map the result back.
        TRect d = canvas->LPtoDP(r);
        const TPoint origin = canvas->LPtoDP(r.TopLeft());
        int h;
        {
            TCanvasDeviceUnits du(canvas);
            h = DrawText(canvas, text, d, flags);
        }
        if (flags & DT_CALCRECT) {
            // The rectangle keeps its top-left corner and grows by the laid-out size.
            const TPoint far = canvas->DPtoLP(TPoint(origin.X + d.Width(), origin.Y + d.Height()));
            r.Right = far.X;
            r.Bottom = far.Y;
        }
        const TPoint zero = canvas->DPtoLP(TPoint(0, 0)), down = canvas->DPtoLP(TPoint(0, h));
        return std::abs(down.Y - zero.Y);
    }
    // A recording canvas in a mapping mode lays out in logical units: lines run towards
    // decreasing y there.
    const int dn = canvas->MapMode() != MM_TEXT ? -1 : 1;
    const bool prefix = !(flags & DT_NOPREFIX);
    const int lineH = canvas->TextHeight(QStringLiteral("Wg"))
                    + ((flags & DT_EXTERNALLEADING) ? canvas->TextLeading() : 0);
    const int width = r.Width();

    // Prefix characters are removed before layout; remember which to underline.
    QStringList lines;
    std::vector<int> underlines;
    {
        QStringList raw = DrawTextLines(canvas, text, width, flags & ~unsigned(DT_WORDBREAK));
        for (const QString& l : raw) {
            int u = -1;
            const QString s = prefix ? StripPrefix(l, u) : l;
            if (flags & DT_WORDBREAK && !(flags & DT_SINGLELINE)) {
                QStringList wrapped;
                WrapParagraph(canvas, s, width, flags & DT_EDITCONTROL, wrapped);
                int offset = 0;
                for (const QString& w : wrapped) {
                    lines << w;
                    underlines.push_back(u >= offset && u < offset + int(w.size()) ? u - offset : -1);
                    offset += int(w.size());
                    while (offset < s.size() && s[offset] == QLatin1Char(' ')) ++offset;
                }
            } else {
                lines << s;
                underlines.push_back(u);
            }
        }
    }
    if (flags & DT_END_ELLIPSIS)
        for (QString& l : lines) l = Ellipsize(canvas, l, width);

    // An edit control shows no partly visible last line.
    if ((flags & DT_EDITCONTROL) && !(flags & DT_CALCRECT) && lineH > 0) {
        const int fit = std::max(1, std::abs(r.Height()) / lineH);
        while (lines.size() > fit) { lines.removeLast(); underlines.pop_back(); }
    }

    int maxW = 0;
    for (const QString& l : lines) maxW = std::max(maxW, canvas->TextWidth(l));
    const int totalH = lineH * int(lines.size());

    if (flags & DT_CALCRECT) {
        // Wrapped text too: the width shrinks to the widest line (or grows to a
        // word that does not fit), so hints and balloons are no wider than their text.
        r.Right = r.Left + maxW;
        r.Bottom = r.Top + dn * totalH;
        return totalH;
    }

    int y = r.Top;
    if (flags & DT_SINGLELINE) {
        // External leading lies between lines: a single line sits on the bottom by its own height.
        const int textH = canvas->TextHeight(QStringLiteral("Wg"));
        if (flags & DT_VCENTER) y = r.Top + dn * ((std::abs(r.Height()) - textH) / 2);
        else if (flags & DT_BOTTOM) y = r.Bottom - dn * textH;
    }
    const int saved = canvas->SaveState();
    if (!(flags & DT_NOCLIP)) canvas->IntersectClipRect(r);
    const bool reading = canvas->RightToLeftReading();
    canvas->SetRightToLeftReading(flags & DT_RTLREADING);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        const int w = canvas->TextWidth(l);
        int x = r.Left;
        if (flags & DT_CENTER) x = r.Left + (width - w) / 2;
        else if (flags & DT_RIGHT) x = r.Right - w;
        canvas->TextOut(x, y, l);
        const int u = underlines[size_t(i)];
        if (u >= 0 && !(flags & DT_HIDEPREFIX) && u < l.size()) {
            const int ux = x + canvas->TextWidth(l.left(u));
            const int uw = canvas->TextWidth(l.mid(u, 1));
            const int uy = y + dn * (canvas->TextAscent() + 1);
            const TColor fill = canvas->Brush()->Color();
            const TBrushStyle st = canvas->Brush()->Style();
            canvas->Brush()->SetColor(canvas->Font()->Color());
            canvas->FillRect(TRect(ux, uy, ux + uw, uy + dn));
            canvas->Brush()->SetColor(fill);
            canvas->Brush()->SetStyle(st);
        }
        y += dn * lineH;
    }
    canvas->SetRightToLeftReading(reading);
    canvas->RestoreState(saved);
    return totalH;
}

// ---------------------------------------------------------------- DrawEdge
namespace {
void EdgeLines(TCanvas* c, const TRect& r, TColor tl, TColor br, unsigned flags)
{
    TBrush* b = c->Brush();
    const TColor old = b->Color();
    const TBrushStyle oldStyle = b->Style();
    if (flags & BF_TOP) { b->SetColor(tl); c->FillRect(TRect(r.Left, r.Top, r.Right - ((flags & BF_RIGHT) ? 1 : 0), r.Top + 1)); }
    if (flags & BF_LEFT) { b->SetColor(tl); c->FillRect(TRect(r.Left, r.Top, r.Left + 1, r.Bottom - ((flags & BF_BOTTOM) ? 1 : 0))); }
    if (flags & BF_BOTTOM) { b->SetColor(br); c->FillRect(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom)); }
    if (flags & BF_RIGHT) { b->SetColor(br); c->FillRect(TRect(r.Right - 1, r.Top, r.Right, r.Bottom)); }
    b->SetColor(old);
    b->SetStyle(oldStyle);
}
void Shrink(TRect& r, unsigned flags)
{
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_RIGHT) --r.Right;
    if (flags & BF_BOTTOM) --r.Bottom;
}
} // namespace

bool DrawEdge(TCanvas* c, TRect& rect, unsigned edge, unsigned flags)
{
    if (!c) return false;
    TRect r = rect;
    const unsigned outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    if (flags & (BF_FLAT | BF_MONO)) {
        const TColor frame = (flags & BF_MONO) ? clWindowFrame : clBtnShadow;
        if (outer) { EdgeLines(c, r, frame, frame, flags); Shrink(r, flags); }
        if (inner) {
            const TColor in = (flags & BF_MONO) ? clWindow : clBtnFace;
            EdgeLines(c, r, in, in, flags);
            Shrink(r, flags);
        }
    } else {
        if (outer & BDR_RAISEDOUTER) { EdgeLines(c, r, cl3DLight, cl3DDkShadow, flags); Shrink(r, flags); }
        else if (outer & BDR_SUNKENOUTER) { EdgeLines(c, r, clBtnShadow, clBtnHighlight, flags); Shrink(r, flags); }
        if (inner & BDR_RAISEDINNER) { EdgeLines(c, r, clBtnHighlight, clBtnShadow, flags); Shrink(r, flags); }
        else if (inner & BDR_SUNKENINNER) { EdgeLines(c, r, cl3DDkShadow, cl3DLight, flags); Shrink(r, flags); }
    }
    if (flags & BF_MIDDLE) {
        const TColor old = c->Brush()->Color();
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        c->Brush()->SetColor(old);
    }
    if (flags & BF_ADJUST) rect = r;
    return true;
}

// ---------------------------------------------------------------- DrawFrameControl
namespace {
void Fill(TCanvas* c, const TRect& r, TColor col)
{
    const TColor old = c->Brush()->Color();
    const TBrushStyle st = c->Brush()->Style();
    c->Brush()->SetColor(col);
    c->FillRect(r);
    c->Brush()->SetColor(old);
    c->Brush()->SetStyle(st);
}

// The 7x7 check mark, three pixels thick, as drawn by the classic platform.
// The mark centred in a box's interior.
void CheckMark(TCanvas* c, const TRect& in, TColor col)
{
    // Columns 0..6: the mark goes down 2 px to column 2 then up to column 6. A box many times
    // the screen's 9-pixel interior (a printer's) gets the mark enlarged as many times.
    static const int top[7] = {2, 3, 4, 3, 2, 1, 0};
    const int k = std::max(1, std::min(in.Width(), in.Height()) / 9);
    const int x = in.Left + (in.Width() - 7 * k) / 2, y = in.Top + (in.Height() - 7 * k) / 2;
    for (int i = 0; i < 7; ++i)
        Fill(c, TRect(x + i * k, y + top[i] * k, x + (i + 1) * k, y + (top[i] + 3) * k), col);
}

void Arrow(TCanvas* c, const TRect& r, int dir, TColor col)
{
    // Solid triangle, 4 rows deep, centred.
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < 4; ++i) {
        switch (dir) {
        case DFCS_SCROLLUP: Fill(c, TRect(cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i), col); break;
        case DFCS_SCROLLLEFT: Fill(c, TRect(cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1), col); break;
        case DFCS_SCROLLRIGHT: Fill(c, TRect(cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1), col); break;
        default: Fill(c, TRect(cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i), col); break;
        }
    }
}
} // namespace

bool DrawFrameControl(TCanvas* c, TRect& rect, unsigned type, unsigned state)
{
    if (!c) return false;
    if (c->RightToLeftLayout()) {
        // Drawn upright at the mirrored place: a tick or an arrow keeps its direction.
        TRect d = c->LPtoDP(rect);
        bool done;
        {
            TCanvasDeviceUnits du(c);
            done = DrawFrameControl(c, d, type, state);
        }
        if (state & DFCS_ADJUSTRECT) rect = c->DPtoLP(d);
        return done;
    }
    const bool inactive = state & DFCS_INACTIVE, pushed = state & DFCS_PUSHED, checked = state & DFCS_CHECKED;
    const bool flat = state & (DFCS_FLAT | DFCS_MONO);
    if (type == DFC_BUTTON) {
        const unsigned kind = state & 0xFF;
        if (kind & DFCS_BUTTONPUSH) {
            TRect r = rect;
            const bool hot = state & DFCS_HOT;
            if (flat && hot && !pushed && !checked) {
                // A flat button under the mouse shows a thin raised edge.
                DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
                Fill(c, r, clBtnFace);
            } else if (flat) {
                Fill(c, r, clBtnShadow);
                InflateRect(r, -1, -1);
                Fill(c, r, pushed || checked ? cl3DLight : clBtnFace);
            } else if (pushed || checked) {
                DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
                Fill(c, r, checked && !pushed ? cl3DLight : clBtnFace);
            } else {
                DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
                Fill(c, r, clBtnFace);
            }
            if (state & DFCS_ADJUSTRECT) rect = r;
            return true;
        }
        // Check and radio boxes use a square of the smaller side, centred.
        const int s = std::min(rect.Width(), rect.Height());
        TRect box = Bounds(rect.Left + (rect.Width() - s) / 2, rect.Top + (rect.Height() - s) / 2, s, s);
        if (kind & DFCS_BUTTONRADIO) {
            const int saved = c->SaveState();
            c->Pen()->SetColor(flat ? clBtnShadow : clBtnShadow);
            c->Brush()->SetColor(inactive || pushed ? clBtnFace : clWindow);
            c->Ellipse(box);
            if (checked) {
                TRect dot = box;
                InflateRect(dot, -s / 3, -s / 3);
                const TColor mark = inactive ? clGrayText : clWindowText;
                c->Pen()->SetColor(mark);
                c->Brush()->SetColor(mark);
                c->Ellipse(dot);
            }
            c->RestoreState(saved);
            return true;
        }
        // Check box: a sunken (or flat) frame, window interior, the mark.
        TRect in = box;
        if (flat) { Fill(c, in, clBtnShadow); InflateRect(in, -1, -1); }
        else DrawEdge(c, in, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        const bool grayed = (kind & DFCS_BUTTON3STATE) && checked;
        Fill(c, in, inactive || pushed || grayed ? clBtnFace : clWindow);
        if (checked) {
            const TColor mark = inactive || grayed ? clBtnShadow : clWindowText;
            CheckMark(c, in, mark);
        }
        return true;
    }
    if (type == DFC_SCROLL) {
        TRect r = rect;
        if (flat) { Fill(c, r, clBtnShadow); InflateRect(r, -1, -1); Fill(c, r, clBtnFace); }
        else if (pushed) { DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_FLAT); Fill(c, r, clBtnFace); }
        else { DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST); Fill(c, r, clBtnFace); }
        unsigned dir = state & 0xFF;
        if (dir == DFCS_SCROLLCOMBOBOX) dir = DFCS_SCROLLDOWN;
        TRect a = r;
        if (pushed) OffsetRect(a, 1, 1);
        if (inactive) {
            TRect sh = a;
            OffsetRect(sh, 1, 1);
            Arrow(c, sh, int(dir), clBtnHighlight);
            Arrow(c, a, int(dir), clBtnShadow);
        } else {
            Arrow(c, a, int(dir), clBtnText);
        }
        return true;
    }
    if (type == DFC_CAPTION) {
        TRect r = rect;
        DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
        const int saved = c->SaveState();
        c->Pen()->SetColor(inactive ? clBtnShadow : clBtnText);
        InflateRect(r, -3, -3);
        c->MoveTo(r.Left, r.Top); c->LineTo(r.Right, r.Bottom);
        c->MoveTo(r.Right - 1, r.Top); c->LineTo(r.Left - 1, r.Bottom);
        c->RestoreState(saved);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- themed parts
bool ThemesEnabled() { return true; }

TSize ThemedPartSize(TThemedPart part)
{
    QStyle* st = QApplication::style();
    if (!st) return TSize{13, 13};
    if (part == tpRadioButton)
        return TSize{st->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth), st->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight)};
    return TSize{st->pixelMetric(QStyle::PM_IndicatorWidth), st->pixelMetric(QStyle::PM_IndicatorHeight)};
}

void DrawThemedPart(TCanvas* canvas, const TRect& r, TThemedPart part, unsigned states, int value)
{
    QStyle* st = QApplication::style();
    if (!canvas || !st) return;
    if (canvas->RightToLeftLayout()) {
        // The style draws on the device: the part goes upright to its mirrored place.
        const TRect d = canvas->LPtoDP(r);
        TCanvasDeviceUnits du(canvas);
        DrawThemedPart(canvas, d, part, states, value);
        return;
    }
    QPainter* p = canvas->Painter();
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    auto fillOpt = [&](QStyleOption& o) {
        o.rect = r.ToQRect();
        o.state = QStyle::State_None;
        if (!(states & tsDisabled)) o.state |= QStyle::State_Enabled;
        if (states & tsHot) o.state |= QStyle::State_MouseOver;
        if (states & tsPressed) o.state |= QStyle::State_Sunken;
        if (states & tsFocused) o.state |= QStyle::State_HasFocus;
        if (states & tsMixed) o.state |= QStyle::State_NoChange;
        else if (states & tsChecked) o.state |= QStyle::State_On;
        else o.state |= QStyle::State_Off;
        o.palette = QApplication::palette();
        o.palette.setCurrentColorGroup((states & tsDisabled) ? QPalette::Disabled : QPalette::Active);
    };
    switch (part) {
    case tpPushButton: {
        QStyleOptionButton o;
        fillOpt(o);
        o.state &= ~(QStyle::State_On | QStyle::State_Off);
        if (!(states & tsPressed)) o.state |= QStyle::State_Raised;
        if (states & tsDefault) o.features |= QStyleOptionButton::DefaultButton;
        st->drawControl(QStyle::CE_PushButtonBevel, &o, p, nullptr);
        break;
    }
    case tpCheckBox: {
        QStyleOptionButton o;
        fillOpt(o);
        st->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, p, nullptr);
        break;
    }
    case tpRadioButton: {
        QStyleOptionButton o;
        fillOpt(o);
        st->drawPrimitive(QStyle::PE_IndicatorRadioButton, &o, p, nullptr);
        break;
    }
    case tpHeaderItem: {
        QStyleOptionHeader o;
        fillOpt(o);
        o.state &= ~(QStyle::State_On | QStyle::State_Off);
        st->drawControl(QStyle::CE_HeaderSection, &o, p, nullptr);
        break;
    }
    case tpComboArrow: {
        QStyleOption o;
        fillOpt(o);
        o.state &= ~(QStyle::State_On | QStyle::State_Off);
        st->drawPrimitive(QStyle::PE_PanelButtonTool, &o, p, nullptr);
        st->drawPrimitive(QStyle::PE_IndicatorArrowDown, &o, p, nullptr);
        break;
    }
    case tpSpinUp:
    case tpSpinDown: {
        QStyleOption o;
        fillOpt(o);
        o.state &= ~(QStyle::State_On | QStyle::State_Off);
        st->drawPrimitive(QStyle::PE_PanelButtonTool, &o, p, nullptr);
        st->drawPrimitive(part == tpSpinUp ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown, &o, p, nullptr);
        break;
    }
    case tpProgressBar:
    case tpProgressChunk: {
        QStyleOptionProgressBar o;
        fillOpt(o);
        o.minimum = 0;
        o.maximum = 100;
        o.progress = part == tpProgressChunk ? 100 : value;
        o.state |= QStyle::State_Horizontal;
        st->drawControl(QStyle::CE_ProgressBar, &o, p, nullptr);
        break;
    }
    }
    p->restore();
}
