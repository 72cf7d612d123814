#pragma once
// The options of the grid's find and replace: sixteen flags kept in one 16-bit
// word (bit n for the flag of ordinal n), so a stored option set reads back
// with the same bits.

#include <QtGlobal>
#include <initializer_list>

enum TFindParam : int {
    fnMatchCase,             // compare case-sensitively
    fnMatchFull,             // the cell text must equal the search text
    fnMatchRegular,          // the search text is a filter expression
    fnDirectionLeftRight,    // row by row; otherwise column by column
    fnMatchStart,            // the search text must start the cell text
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,
    fnAutoGoto,              // the hit becomes the current cell
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,
    fnFindInPresetCol,
    fnFindInPresetRow,
    fnSelectedCells,
    fnIncludeHiddenRows      // hidden rows are scanned by their real index
};

class TFindParameters {
public:
    constexpr TFindParameters() = default;
    constexpr TFindParameters(std::initializer_list<TFindParam> Flags)
    {
        for (TFindParam f : Flags) FBits = quint16(FBits | Bit(f));
    }
    static constexpr TFindParameters FromWord(quint16 Word)
    {
        TFindParameters p;
        p.FBits = Word;
        return p;
    }
    constexpr quint16 Word() const { return FBits; }
    constexpr bool Contains(TFindParam f) const { return (FBits & Bit(f)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    TFindParameters& operator<<(TFindParam f)
    {
        FBits = quint16(FBits | Bit(f));
        return *this;
    }
    TFindParameters& operator>>(TFindParam f)
    {
        FBits = quint16(FBits & ~Bit(f));
        return *this;
    }
    constexpr bool operator==(const TFindParameters&) const = default;

private:
    static constexpr quint16 Bit(TFindParam f) { return quint16(1u << unsigned(f)); }
    quint16 FBits = 0;
};
static_assert(sizeof(TFindParameters) == 2, "the options are one 16-bit word");

// What the search bar's action hook is told.
enum TSearchAction : int { saFindFirst, saFindPrevious, saFindNext };
