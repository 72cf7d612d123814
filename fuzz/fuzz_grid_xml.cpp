// XML documents from outside bytes read into the grid, with and without levels to rows
// and field names; parse errors are expected, anything else must leave a sound grid that
// saves as well-formed XML.
#include "fuzz_grid_support.h"

#include <pugixml.hpp>

#include "platform/core/files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto grid = Fuzz_Grid();
    TKvStringGrid& g = *grid;
    const QString file = Fuzz_Path("in.xml");
    Fuzz_Write(file, Data, Size);
    const uint8_t f = Size > 0 ? Data[Size - 1] : 0;
    try {
        g.LoadFromXML(file, f & 1, f & 2);
    } catch (const Exception&) {
        return 0;
    }
    Fuzz_Check_Grid(g);
    g.SetXMLEncoding(f & 4 ? QStringLiteral("UTF-8") : QStringLiteral("ISO-8859-1"));
    const QString out = Fuzz_Path("out.xml");
    g.SaveToXML(out, QStringLiteral("list"), QStringLiteral("rec"), nullptr, f & 8);
    pugi::xml_document doc;
    const QByteArray written = ReadBinaryFile(out);
    // Cell texts may hold characters XML cannot carry (control characters); those aside,
    // the document parses.
    bool plain = true;
    for (int r = 0; r < g.RowCount() && plain; ++r)
        for (int c = 0; c < g.ColCount() && plain; ++c)
            for (QChar ch : g.Cells(c, r))
                if ((ch.unicode() < 0x20 && ch != QLatin1Char('\t') && ch != QLatin1Char('\n') && ch != QLatin1Char('\r')) ||
                    ch.isSurrogate() || ch.unicode() >= 0xFFFE)
                    plain = false;
    if (plain) FUZZ_REQUIRE(doc.load_buffer(written.constData(), size_t(written.size())));
    return 0;
}

#include "fuzz_standalone_main.h"
