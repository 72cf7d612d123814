// Fuzz target for the OPC UA server variables file reader (OPC_UA_Server.xml): the
// input is written to a temporary file, read back as the editor reads it, checked and
// written again. The reader reports every failure in its result, so nothing is expected
// to raise. Built with -fsanitize=fuzzer it is a libFuzzer target; with
// KV_FUZZ_STANDALONE it runs the files named on its command line.

#include "editors_it/opcua_server_file.h"

#include "platform/core/files.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OPC_UA_Server.xml"));
    WriteBinaryFile(path, QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    const TOPC_UA_Server_Vars_Load load = Read_OPC_UA_Server_File(path);
    (void)OPC_UA_Server_First_Bad_Row(load.Rows);
    for (const TOPC_UA_Server_Var_Row& r : load.Rows)
        (void)OPC_UA_Server_Type_Length(r.Type);
    Write_OPC_UA_Server_File(dir.filePath(QStringLiteral("out.xml")), load.Rows);
    return 0;
}

#include "fuzz_standalone_main.h"
