// Feeds arbitrary bytes to the document reader and runs the edits an export makes.
#include "platform/office/document_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    try {
        auto d = TDocumentFile::LoadBytes(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)),
                                          QStringLiteral("fuzz.docx"));
        int at = d->InsertText(0, QStringLiteral("text"));
        at = d->InsertParagraphBreak(at);
        const int mark = d->BookmarkPosition(QStringLiteral("b"));
        const int t = d->AddTable(mark >= 0 ? mark : d->LastLineStart(), 2, 2);
        d->CellInsertAfter(t, 2, 2, QStringLiteral("x"));
        d->SetCellAlignment(t, 2, 2, wdAlignParagraphRight);
        d->SaveBytes();
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
