// The grid's binary cell records from outside bytes (files, the clipboard), loaded at
// the origin and at a point picked by the first byte; a loaded grid writes and reads
// itself again.
#include "fuzz_grid_support.h"

#include "grid/kv_string_grid.h"
#include "platform/core/classes.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    const auto grid = Fuzz_Grid();
    TKvStringGrid& g = *grid;
    g.SetColCount(8);
    g.SetRowCount(8);
    TMemoryStream in;
    in.WriteBuffer(Data + 1, qint64(Size - 1));
    in.SetPosition(0);
    try {
        if (Data[0] & 1)
            g.LoadAtPointFromBinStream(TPoint(Data[0] >> 5, (Data[0] >> 2) & 7), &in);
        else
            g.LoadFromBinStream(&in);
    } catch (const std::exception&) {
    }
    FUZZ_REQUIRE(g.ColCount() >= 1 && g.RowCount() >= 1);
    TMemoryStream out;
    g.SaveToBinStream(&out);
    out.SetPosition(0);
    const auto again = Fuzz_Grid();
    again->LoadFromBinStream(&out);
    FUZZ_REQUIRE(again->ColCount() == g.ColCount() && again->RowCount() == g.RowCount());
    return 0;
}

#include "fuzz_standalone_main.h"
