// Fuzz target for the OPC UA client file reader (OPC_UA_Client.xml): the input is
// written to a temporary file, read back as the client editor reads it and written
// again. The reader reports every failure in its result, so nothing is expected to
// raise. Built with -fsanitize=fuzzer it is a libFuzzer target; with KV_FUZZ_STANDALONE
// it runs the files named on its command line.

#include "editors_it/opcua_client_file.h"

#include "platform/core/files.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OPC_UA_Client.xml"));
    WriteBinaryFile(path, QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    const TOPC_UA_Client_Load load = Read_OPC_UA_Client_File(path);
    // Every variable read back must give a text for each of its conversions.
    for (const TOPC_UA_Server& s : load.Servers)
        for (const auto* list : {&s.Var_List_R, &s.Var_List_W})
            for (const TOPC_UA_Variable& v : *list)
                (void)(v.NodeID().size() + v.NodeType().size() + v.VarType().size());
    Write_OPC_UA_Client_File(dir.filePath(QStringLiteral("out.xml")), load.Servers);
    return 0;
}

#include "fuzz_standalone_main.h"
