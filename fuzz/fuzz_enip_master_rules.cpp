// Fuzz target for the EtherNet/IP scanner rules reader (EtherNetIP_Master_Rules.xml):
// the input is written to a temporary file and read back, as the editor and the bank
// compiler read it. A document the XML layer rejects raises its error, which is the
// expected outcome. Built with -fsanitize=fuzzer it is a libFuzzer target; with
// KV_FUZZ_STANDALONE it runs the files named on its command line.

#include "enip_outputs/enip_master_rules_file.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml"));
    WriteBinaryFile(path, QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    try {
        const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(path, EtherNetIP_Master_Max_Rows);
        for (const TEtherNetIP_Master_Row& row : rules.Rows)
            if (row.TargetCong)
                (void)row.TargetCong->GetConfigStrData();
        Write_EtherNetIP_Master_Rules(path, rules.Rows);
    } catch (const Exception&) {
    }
    return 0;
}

#include "fuzz_standalone_main.h"
