#pragma once
// The page engine behind the grid's printing and preview. One engine runs one pass of
// PrintPages: it measures the columns and rows of the print rectangle, cuts them into bands
// of columns and pages of rows, and draws the rows, the page borders and the header and
// footer texts. Everything is in tenths of a millimetre on a canvas in the metric mapping
// mode: the page's top edge is y = 0 and the page runs down to a negative height.
//
// What a renderer draws in device units (the mini-HTML renderer, check boxes, progress
// bars, owner drawing) is converted through the canvas, so a page has the same physical
// layout on a printer, on a preview bitmap and on a recording canvas.
#include <QString>
#include <vector>

#include "grid/kv_string_grid.h"

class TGridPrintEngine {
public:
    // Mode 0 draws a preview, 1 draws on the printer or a canvas, 2 and 3 only count.
    TGridPrintEngine(TKvStringGrid& Grid, TCanvas* Canvas, int Mode, bool SelectionMode);
    // Lays out (and in the drawing modes draws) every band; answers the pages.
    int Run();

    // ---- cells (grid_print_cells.cpp)
    // The printed width and height a cell needs.
    TPoint CellSize(int ACol, int ARow);
    // The printed widths of the layout's columns, from the cells or the screen widths.
    void MeasureColumns();
    // A row's height without its gaps, cached for the last row asked.
    int RowHeight(int ARow);
    // What a row takes on the page: the gap above and below, its height and the row spacing.
    int DrawnHeight(int ARow) { return 2 * FGap + RowHeight(ARow) + FRowSpacing; }
    // Draws the printed cells of columns FromCol .. ToCol of a row whose top is Y; Right is
    // the right edge of that range. A row taller than the page is cut at the page's bottom.
    void DrawRow(int ARow, int Y, int FromCol, int ToCol, int Right, bool CutAtPage);
    // The page's outer borders below the last row, whose bottom is LastBottom.
    void DrawPageBorders(int LastBottom);

    // Which rows and columns the job prints (the selection's, in selection mode).
    bool RowPrinted(int ARow);
    bool ColPrinted(int ACol);

private:
    // ---- cells
    struct TCellLook {
        TAlignment HA = taLeftJustify;
        TVAlignment VA = vtaTop;
        bool WordWrap = false;
        TColor ColorTo = clNone;
        TCellGradientDirection Direction = GradientVertical;
    };
    // Sets the canvas font (and Brush, when given) to the cell's printed look.
    TCellLook ApplyCellLook(int ACol, int ARow, TBrush* Brush);
    // The text a cell prints and its kind (HTML, rich text or plain).
    QString CellText(int ACol, int ARow, int& Kind);
    // The lines of a cell text: all of them with multi-line cells, else the first.
    QStringList TextLines(const QString& Text) const;
    // The printed size of a cell's graphic ((0, 0) without one or without PrintGraphics).
    TPoint GraphicSize(int ACol, int ARow);
    // Measures mini-HTML in device units inside Width; answers the size in logical units.
    TPoint HTMLSize(const QString& Text, int Width, bool WordWrap);
    void DrawHTML(const QString& Text, const TRect& R, bool WordWrap);
    void DrawCell(int ACol, int ARow, int Y, bool FirstInRange, int Right, bool CutAtPage);
    void DrawPlainText(const QString& Text, const TRect& R, int ARow, const TCellLook& Look, bool Merged);
    // Draws a cell's graphic into Room (R is the whole cell); Back is the cell's colour.
    void DrawGraphic(int ACol, int ARow, TCellGraphic* Graphic, const TRect& R, const TRect& Room, TColor Back);
    // The height the rows of a merged cell take from ARow on.
    int SpannedHeight(int ARow, int Rows);

    // ---- pages (grid_print_pages.cpp)
    bool Drawing() const { return FMode == 0 || FMode == 1; }
    bool InRange(int Page) const;
    void SetupFonts();
    void FitColumns();
    struct TBand {
        int Start = 0, End = 0;
        bool RepeatCols = false;
        int Width = 0;
    };
    std::vector<TBand> MakeBands();
    void PlaceBand(const TBand& Band);
    void MeasureRooms();
    QString PageNumberText(int Page, int PageInBand, int Band);
    // Writes the header and footer texts of a page.
    void DrawHeaderFooter(int Page, int PageInBand, int Band);
    // Starts a page: the header and footer, then the repeated fixed rows; answers the y
    // where the band's rows go on.
    int StartPage(int Page, int PageInBand, int Band, bool FirstOfBand);
    // Finishes Page and starts the next one on the printer and for OnPrintPage.
    void NextPage(int Page);
    int NextPrintedRow(int ARow);
    void DrawRowWithFixedCols(int ARow, int Y, bool CutAtPage);

    TKvStringGrid& G;
    TPrintSettings& PS;
    TCanvas* C;
    int FMode;
    bool FSelection;
    std::vector<int>& FWidths;
    std::vector<int>& FOffsets;
    // Columns measured: the print rectangle's and the fixed columns repeated on each band.
    std::vector<int> FLayoutCols;
    int FFixedCols = 0, FFixedRows = 0;
    double FScreen = 1.0;   // screen pixels to tenths of a millimetre
    int FGap = 0;           // gap above and below each row's text
    int FInset = 0;         // text inset from the cell's sides
    int FSpacing = 0;       // added to every column's width
    int FRowSpacing = 0;
    int FHeaderText = 0, FFooterText = 0;   // "gh" in the header and footer fonts
    int FTopRoom = 0;       // from the page top to the first row
    int FBottomRoom = 0;    // from the page bottom to the last row
    int FFooterY = 0;       // top of the footer texts
    QString FHTMLTitle;     // the title lines as mini-HTML
    int FHTMLTitleHeight = 0, FHTMLTitleWidth = 0;
    int FCachedRow = -1, FCachedHeight = 0, FLastMeasured = 0;
    TPen FPagePen;
    // The band being laid out.
    TBand FBand;
    int FBandCount = 0;
    int FLastDrawnRow = -1;
};
