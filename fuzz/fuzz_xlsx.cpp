// Feeds arbitrary bytes to the workbook reader as an .xlsx and reads every sheet's used range.
#include "platform/office/spreadsheet_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    try {
        auto f = TSpreadsheetFile::LoadXlsx(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)),
                                            QStringLiteral("fuzz.xlsx"));
        for (int s = 0; s < f->SheetCount(); ++s) {
            int r1, c1, r2, c2;
            if (f->UsedRange(s, r1, c1, r2, c2))
                f->Cell(s, r1, c1).AsText();
        }
        f->ActiveCellRow(f->ActiveSheet());
        if (f->SheetCount() > 0) {
            f->SetCell(0, 1, 1, TOfficeValue::FromText(QStringLiteral("x")));
            f->AddSheet();
            f->SaveXlsx();
        }
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
