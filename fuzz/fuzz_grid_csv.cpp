// CSV from outside bytes, read with the options picked by the first byte: delimiter
// detection or a fixed delimiter, Java-style fields, the OEM code page, skipping the
// first line, a row limit; "File is empty" is an expected outcome.
#include "fuzz_grid_support.h"

#include "platform/core/classes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto grid = Fuzz_Grid();
    TKvStringGrid& g = *grid;
    const uint8_t f = Size > 0 ? Data[0] : 0;
    g.Delimiter = f & 1 ? QLatin1Char(';') : QChar();
    g.JavaCSV = f & 2;
    g.OemConvert = f & 4;
    g.SetLoadFirstRow(!(f & 8));
    TMemoryStream in;
    in.WriteBuffer(Data, qint64(Size));
    in.SetPosition(0);
    try {
        g.LoadFromCSVStream(&in, f & 16 ? 3 : 0);
    } catch (const Exception&) {
    }
    Fuzz_Check_Grid(g);
    FUZZ_REQUIRE(f & 1 ? g.Delimiter == QLatin1Char(';') : g.Delimiter.isNull());
    g.SaveToCSV(Fuzz_Path("out.csv"));
    g.LoadFromCSV(Fuzz_Path("out.csv"));
    Fuzz_Check_Grid(g);
    return 0;
}

#include "fuzz_standalone_main.h"
