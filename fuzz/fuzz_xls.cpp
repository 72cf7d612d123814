// Feeds arbitrary bytes to the workbook reader through the door the program uses: a file
// that TSpreadsheetFile::Load opens by its content, so a legacy workbook reaches libfreexl
// only with a compound-file signature, as it would from the program.
#include "platform/office/spreadsheet_file.h"

#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    QTemporaryFile file;
    if (!file.open())
        return 0;
    file.write(reinterpret_cast<const char*>(Data), qint64(Size));
    file.flush();
    try {
        auto f = TSpreadsheetFile::Load(file.fileName());
        for (int s = 0; s < f->SheetCount(); ++s) {
            int r1, c1, r2, c2;
            if (f->UsedRange(s, r1, c1, r2, c2))
                f->Cell(s, r2, c2).AsText();
        }
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
