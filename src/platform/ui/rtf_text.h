#pragma once
// The part of RTF the rich edits read and write, without a window: groups,
// paragraphs (\par, \line), tabs, bold, italic, underline, the vertical
// offset (\up, \dn, in half points), 8-bit characters in Windows-1252 (\'hh)
// and UTF-16 characters (\uN with one fallback character). Destinations that
// hold no body text (font and colour tables, pictures, \* groups) are skipped;
// every other control word is ignored.
#include <QtCore/QString>

#include <cstdint>
#include <vector>

// A piece of text with one character format. "\n" ends a paragraph.
struct TRtfRun {
    QString Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    // Vertical offset in twips: positive raised, negative lowered.
    int OffsetTwips = 0;
    bool SameFormat(const TRtfRun& o) const
    {
        return Bold == o.Bold && Italic == o.Italic && Underline == o.Underline && OffsetTwips == o.OffsetTwips;
    }
};

// The runs of an RTF document, neighbours of one format joined and the
// document's trailing paragraph ends dropped. Bytes that do not start with
// "{\rtf" are one plain run of Windows-1252 text.
std::vector<TRtfRun> RTF_To_Runs(const std::vector<uint8_t>& Bytes);

// An RTF document of the runs: each formatted run in a group of its own,
// ASCII as is, Windows-1252 characters as \'hh, the rest as \uN?.
std::vector<uint8_t> Runs_To_RTF(const std::vector<TRtfRun>& Runs);

// Plain text of an RTF document: the text of its runs.
QString RTF_To_Plain_Text(const std::vector<uint8_t>& Bytes);
