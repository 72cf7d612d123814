// Fuzz target for the IO-Link slave file reader (IOLink_Slave.xml): the input is
// written to a temporary file, read back as the editor reads it (at most 512 rows a
// section) and written again. A document the XML layer rejects raises its error, which
// is the expected outcome. Built with -fsanitize=fuzzer it is a libFuzzer target; with
// KV_FUZZ_STANDALONE it runs the files named on its command line.

#include "common/iolink_slave_file.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IOLink_Slave.xml"));
    WriteBinaryFile(path, QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    try {
        Write_IOLink_Slave_File(path, Read_IOLink_Slave_File(path, IOLink_Slave_Max_Rows));
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
