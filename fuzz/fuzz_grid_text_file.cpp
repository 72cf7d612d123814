// The grid's cell text file and stream from outside bytes: the file form is read
// leniently, the stream strictly (its errors are expected); the stream must stop inside
// itself, and what a stream load leaves in the grid must save and load to the same cells
// (after the one change the format makes to some texts).
#include "fuzz_grid_support.h"

#include "grid_data/grid_exchange.h"
#include "platform/core/classes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto grid = Fuzz_Grid();
    TKvStringGrid& g = *grid;
    const bool flags = Size > 0;
    g.SetSaveFixedCells(!flags || !(Data[0] & 1));
    g.MultilineCells = flags && (Data[0] & 2);
    const QString file = Fuzz_Path("cells.txt");
    Fuzz_Write(file, Data, Size);
    try {
        g.LoadFromFile(file);
    } catch (const Exception&) {
    }
    Fuzz_Check_Grid(g);

    const auto second = Fuzz_Grid();
    TKvStringGrid& s = *second;
    TMemoryStream in;
    in.WriteBuffer(Data, qint64(Size));
    in.SetPosition(0);
    try {
        s.LoadFromStream(&in);
    } catch (const Exception&) {
        return 0;
    }
    FUZZ_REQUIRE(in.Position() >= 0 && in.Position() <= in.Size());
    Fuzz_Check_Grid(s);
    // The format turns some texts into others (a tab in a multi-line cell becomes a line
    // break), once: after one save and load the cells come back unchanged.
    auto cycle = [&] {
        TMemoryStream out;
        s.SaveToStream(&out);
        out.SetPosition(0);
        s.LoadFromStream(&out);
        FUZZ_REQUIRE(out.Position() == out.Size());
        QStringList cells;
        for (int r = 0; r < s.RowCount(); ++r)
            for (int c = 0; c < s.ColCount(); ++c) cells << s.Cells(c, r);
        return cells;
    };
    const QStringList once = cycle();
    FUZZ_REQUIRE(cycle() == once);
    return 0;
}

#include "fuzz_standalone_main.h"
