// Small public services of the grid: a rich-text cell moved into a rich edit
// and back, a cell's text without tags, the version values, the search bar's
// settings applied to its panel and the column stretch.

#include "grid/html_markup.h"
#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/richedit.h"

// A rich-text cell stores its RTF document one byte per character. Byte n is
// character U+00nn in both directions, so every byte survives a round trip.
void TKvStringGrid::CellToRich(int Col, int Row, TRichEdit* RichEdit)
{
    if (!RichEdit) return;
    const QString text = Cells(Col, Row);
    if (text.isEmpty()) {
        RichEdit->Clear();
        return;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(size_t(text.size()));
    for (QChar ch : text) bytes.push_back(uint8_t(ch.unicode() & 0xFF));
    RichEdit->SetRTF(bytes);
}

QString TKvStringGrid::RichToString(TRichEdit* RichEdit)
{
    if (IsDestroying() || !RichEdit) return QString();
    const std::vector<uint8_t>& bytes = RichEdit->RTF();
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void TKvStringGrid::RichToCell(int Col, int Row, TRichEdit* RichEdit)
{
    SetCells(Col, Row, RichToString(RichEdit));
}

QString TKvStringGrid::GetStrippedCell(int i, int j) { return HTMLToPlainText(Cells(i, j)); }

QString TKvStringGrid::GetVersionString()
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Sep, 2012")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TKvStringGrid::UpdateSearchFooter()
{
    TSearchPanel* panel = FSearchPanel;
    if (IsLoading() || !panel) return;
    TSearchFooter* sf = FSearchFooter.get();
    if ((panel->HiliteButton()->Down() && panel->Visible() && !sf->Visible()) || sf->AlwaysHighLight())
        UnHilightInGrid(false);
    panel->SetColor(sf->Color());
    panel->SetColorTo(sf->ColorTo());
    panel->SetVisible(sf->Visible());

    panel->FindNextCaption = sf->FindNextCaption();
    panel->FindPrevCaption = sf->FindPrevCaption();
    panel->MatchCaseCaption = sf->MatchCaseCaption();
    panel->HighLightCaption = sf->HighLightCaption();
    panel->HintFindNext = sf->HintFindNext();
    panel->HintFindPrev = sf->HintFindPrev();
    panel->HintClose = sf->HintClose();
    panel->HintHighlight = sf->HintHighlight();
    panel->Font()->Assign(*sf->Font());

    TKvGridButton* buttons[] = {panel->ForwardButton(), panel->BackwardButton(), panel->HiliteButton()};
    const TControlStyle style = FControlLook->ControlStyle();
    for (TKvGridButton* b : buttons) {
        if (FAutoThemeAdapt) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
        } else if (style == csFlat) {
            b->SetFlat(true);
        } else if (style == csWinXP || style == csTheme) {
            b->SetAutoXPStyle(true);
            b->SetFlat(false);
        } else if (style == csClassic) {
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
        }
    }

    panel->HiliteButton()->SetVisible(sf->ShowHighLight());
    panel->ExitButton()->SetVisible(sf->ShowClose());
    panel->MatchCase()->SetVisible(sf->ShowMatchCase());
    panel->MatchCase()->SetTransparent(true);
    panel->BackwardButton()->SetVisible(sf->ShowFindPrev());
    panel->ForwardButton()->SetVisible(sf->ShowFindNext());

    // Captions, hints (ShowHint only for a non-empty hint) and the places.
    panel->LayoutControls();
    for (TKvGridButton* b : buttons) b->SetHeight(b->Visible() ? 23 : 0);
    TKvCheckBox* mc = panel->MatchCase();
    mc->SetBounds(panel->HiliteButton()->Visible() ? 425 : 330, mc->Top(), mc->Width(), mc->Visible() ? 18 : 0);

    if (sf->Visible()) {
        panel->SetBounds(0, Height() - 32, panel->Width(), 32);
        KeepLastRowAboveSearchPanel();
    } else {
        panel->SetHeight(0);
    }
}

void TKvStringGrid::ApplyColumnStretch(int ACol)
{
    StretchColumnWidth(ACol);
}
