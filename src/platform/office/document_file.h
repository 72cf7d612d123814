#pragma once
// A word-processor document in Office Open XML (.docx), read and written by our own code.
// Positions count characters as a word processor does: each paragraph its text and one
// paragraph mark, a table its cells' texts with one mark per cell and per row, so the
// exchange can ask for a range at the start, at the end or at a bookmark and put a table
// there. Parts other than the document body are kept as they were.

#include "platform/office/office_automation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class TDocumentFile {
public:
    // A new document holding one empty paragraph (A4, 2 cm margins).
    TDocumentFile();
    ~TDocumentFile();
    TDocumentFile(const TDocumentFile&) = delete;
    TDocumentFile& operator=(const TDocumentFile&) = delete;

    // Raises EOfficeError naming the file when it is no readable .docx.
    static std::unique_ptr<TDocumentFile> Load(const QString& FileName);
    static std::unique_ptr<TDocumentFile> LoadBytes(const QByteArray& Bytes, const QString& FileName);

    // Text inserted at a position (line breaks become line breaks); answers the position after it.
    int InsertText(int Position, const QString& Text);
    // Splits the paragraph at a position; answers the start of the new paragraph.
    int InsertParagraphBreak(int Position);
    int AppendParagraph();
    // Start of the last paragraph of the body.
    int LastLineStart() const;
    int Length() const;

    bool BookmarkExists(const QString& Name) const;
    int BookmarkPosition(const QString& Name) const;   // -1 when missing

    // A table of empty cells at a position (a paragraph there is split); answers its index.
    int AddTable(int Position, int Rows, int Columns);
    int TableCount() const;
    int TableRows(int Table) const;
    int TableColumns(int Table) const;
    void CellInsertAfter(int Table, int Row, int Column, const QString& Text);
    void SetCellAlignment(int Table, int Row, int Column, int Alignment);
    QString CellText(int Table, int Row, int Column) const;

    // Texts of the body's paragraphs outside tables, and of every block in order
    // ("¶text" for a paragraph, "#table" for a table), for checks.
    QStringList ParagraphTexts() const;
    QStringList BlockOutline() const;

    QByteArray SaveBytes() const;
    // Writes the whole file; a ".doc" name raises EOfficeError: that format is never written.
    void SaveToFile(const QString& FileName);

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
