#pragma once
// Small, stateless text routines shared by the grid and its data operations:
// cell text kinds, the wide-text cell encoding, the line-break forms of the file,
// CSV, clipboard and print formats, CSV quoting, code pages, number and date
// recognition in the locale's notation, cell references, web addresses, mixed
// case and the "HTML Format" clipboard wrapper.
//
// Positions returned by these routines are 1-based (0 = not found), as the
// import/export code that calls them counts characters that way.

#include <QChar>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "platform/core/datetime.h"
#include "platform/ui/graphics.h"

class TStrings;

// ---- Locale settings (the current process settings) ----
QChar GetTimeSeparator();
QChar GetDateSeparator();
QChar GetThousandSeparator();
QChar GetDecimalSeparator();
QString GetShortDateFormat();

// ---- Text kinds ----
enum : int {
    ctkPlain = 0,
    ctkHTML = 1,
    ctkRichText = 2,
    ctkFormula = 3,
    ctkWideText = 5,
};

// 0 plain, 1 mini-HTML (only looked for with CheckHTML), 2 rich text, 3 formula, 5 wide text.
int GetCellTextKind(const QString& Text, bool CheckHTML);
// "|\" followed by two characters (high byte, low byte) per UTF-16 unit.
QString EncodeWideCellText(const QString& Text);
// Inverse of EncodeWideCellText; a text without the "|\" prefix comes back unchanged.
QString DecodeWideCellText(const QString& Text);
int WidePos(const QString& SubStr, const QString& S);

// ---- Line breaks and lines ----
QString EscapedToLineBreaks(const QString& Text);
QString LineBreaksToEscaped(const QString& Text);
QString LineBreaksToControlChars(const QString& Text);
QString ControlCharsToLineBreaks(const QString& Text, bool MultiLine);
void CutFirstLine(QString& Text, bool KeepRest, QString& Line);
int CountLines(const QString& Text, bool MultiLine);
QString RemoveCR(const QString& Text);
QString CRToLF(const QString& Text);
void CRLFToLF(QString& Text);
QString CRToHTMLBreaks(const QString& Text);
void LineBreaksToTilde(QString& Text);
void TildeToLineBreaks(QString& Text);
void QuoteMultiLineCell(QString& Text);
void Char11ToCRLF(QString& Text);

// ---- CSV quoting and counting ----
QString DoubleQuoteChars(const QString& Text);
QString UndoubleChar(QChar Ch, const QString& Text);
// Position of the quote that closes a field, given the field text after its
// opening quote; 0 when the text runs out first. Pos receives the same value.
int ClosingQuotePos(QChar Quote, const QString& Text, int& Pos);
int ClosingQuotePos(QChar Quote, const QString& Text);
int CountClosingQuotes(QChar Quote, const QString& Text);
int CountChar(QChar Ch, const QString& Text);

// ---- Code pages (ANSI = Windows-1252, OEM = 850) ----
// After StringToOem, writing the text in the ANSI code page writes the OEM bytes.
void StringToOem(QString& Text);
void OemToString(QString& Text);

// ---- Searching, cutting and joining ----
int PosInUpperText(const QString& Pattern, const QString& Text);
int FirstCharPos(QChar Ch, const QString& Text);
int FirstCharPosVar(QChar Ch, const QString& Text, int& Pos);
int SubstrPosVar(const QString& SubStr, const QString& Text, int& Pos);
QString CutBeforeSeparator(QString& Text, const QString& Sep);
QString JoinStrings(const TStrings& List);
QString JoinStrings(const QStringList& List);
void FillWithChar(QString& Text, QChar Ch);

// ---- Character classes ----
// ASCII digits, and outside ASCII every character of the Unicode number
// categories (decimal digit, letter number, other number).
bool IsNumberChar(QChar Ch);
bool IsNumberOrMinusChar(QChar Ch);
bool IsNumberNotationChar(QChar Ch);          // number, thousand/decimal separator, e, E
bool IsNumberNotationWithSignsChar(QChar Ch); // the above, + or -
bool IsNumberTextChar(QChar Ch);              // number, -, ., e, E, +

// ---- Numbers ----
int IntMax(int A, int B);
int IntMin(int A, int B);
// A limit of 0 or less is no limit; Min = Max leaves Value alone.
int ClampToLimits(int Value, int Min, int Max);
// The number in a text as "." notation: "(1.234,50 EUR)" gives "-1234.50" with "," decimals.
QString ExtractNumberText(const QString& Text);

enum : int {
    nkInteger = 0,
    nkDecimal = 1,
    nkNotANumber = 2,
    nkExponent = 5,
};
int ClassifyNumberText(const QString& Text);
// Applies a cell float format to Value with the C library's rules, in "." notation.
// Formats come from files and events, so one is taken only when it holds exactly one
// conversion: a floating one (f F e E g G a A, optionally after "l"), or with
// AllowInteger also d or i, which get the value truncated toward zero. Flags, a
// width and a precision of up to two digits and any "%%" may go with it. Anything
// else (%s, %n, a "*" width, a second conversion, a lone "%") gives false and
// leaves Out alone.
bool FormatFloatText(const QString& Format, double Value, QString& Out, bool AllowInteger = false);

// ---- Dates ----
// Month-first and day-first dates with "/", "." or "-"; 0 when malformed.
// A date that does not exist raises EConvertError.
TDateTime ParseDateMDY(const QString& Text);
TDateTime ParseDateDMY(const QString& Text);
bool LooksLikeDate(const QString& Text);
// Raises EConvertError when the result is no calendar date.
TDateTime AddToDate(short Years, short Months, short Days, TDateTime Date, TDateTime Increment);

// ---- Cell references, addresses and case ----
// "R<row>C<col>": Cell.x() = column, Cell.y() = row; Cell untouched on failure.
bool ParseCellRef(const QString& Text, QPoint& Cell);
bool ContainsURL(const QString& Text);
void StripURLProtocol(QString& Text);
// Wraps the first address that starts with Prefix (upper case) in an <a href> link.
bool WrapURLAsLink(const QString& Text, const QString& Prefix, QString& Dest);
QString ToMixedCase(const QString& Text);

// ---- HTML export ----
// Six upper-case hex digits in the order red, green, blue.
QString ColorToHTMLHex(TColor Color);
// Wraps an HTML fragment for the "HTML Format" clipboard format.
void BuildHTMLClipboardText(QString& HTML);
