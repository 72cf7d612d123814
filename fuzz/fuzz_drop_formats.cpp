// Fuzz target for the blocks a drop brings from another program: the file list (DROPFILES),
// the grid column, the grid cells with their byte count and the text, read through the drop
// side's format reader. Any bytes give some names, a column or -1, a stream no longer than
// its block and some text, without a crash, a hang or a read past the end. Built with
// -fsanitize=fuzzer it is a libFuzzer target; with KV_FUZZ_STANDALONE it runs the files
// named on its command line.

#include "grid_input/ksg_drag_drop.h"

#include <QtCore/QMimeData>

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray block(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const QStringList names = ReadDropFilesBlock(block);
    if (names.size() > qsizetype(Size))
        __builtin_trap();
    // The same bytes as every block a foreign drop may carry.
    QMimeData mime;
    for (const char* format : {"application/x-kv-grid-column", "application/x-kv-tkvstringgrid-cells",
                               "text/rtf"})
        mime.setData(QString::fromLatin1(format), block);
    RegisterClipboardFormat(QStringLiteral("Grid Column"));
    RegisterClipboardFormat(QStringLiteral("TKvStringGrid Cells"));
    TEnumFormats reader(DataObjectFromMime(&mime));
    (void)reader.Col();
    (void)reader.RTF();
    std::unique_ptr<TMemoryStream> stream = reader.Stream();
    if (stream && stream->Size() > qint64(Size))
        __builtin_trap();
    return 0;
}

#include "fuzz_standalone_main.h"
