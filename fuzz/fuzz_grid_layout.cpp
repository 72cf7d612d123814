// Layout stores from outside bytes: an INI file for the print settings and the column
// widths and order, a visual properties file, and a column-state string. Conversion
// errors of the visual properties are expected; the grid must stay sound and a column
// order applied must be a true order.
#include "fuzz_grid_support.h"

#include "platform/core/files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto grid = Fuzz_Grid();
    TKvStringGrid& g = *grid;
    const QString ini = Fuzz_Path("layout.ini");
    Fuzz_Write(ini, Data, Size);
    g.LoadPrintSettings(ini, QStringLiteral("Print"));
    TColumnSize* cs = g.ColumnSize();
    cs->SetLocation(clIniFile);
    cs->SetKey(ini);
    cs->SetSection(QStringLiteral("Grid"));
    g.LoadColPositions();
    g.LoadColSizes();
    Fuzz_Check_Grid(g);
    try {
        g.LoadVisualProps(ini);
    } catch (const Exception&) {
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        g.StringToColumnStates(line.trimmed());
        Fuzz_Check_Grid(g);
        // A layout written, applied and written again stays what it is.
        g.StringToColumnStates(g.ColumnStatesToString());
        const QString state = g.ColumnStatesToString();
        g.StringToColumnStates(state);
        FUZZ_REQUIRE(g.ColumnStatesToString() == state);
    }
    return 0;
}

#include "fuzz_standalone_main.h"
