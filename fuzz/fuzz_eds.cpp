// Fuzz target for the EDS readers: the connection list with the device identity, and
// the target configuration of every connection found (plus a fixed assembly key, so
// that inputs without a connection still reach the assembly and parameter search).
// Built with -fsanitize=fuzzer it is a libFuzzer target; with KV_FUZZ_STANDALONE it
// is a program that runs the files named on its command line once each.

#include "enip_outputs/eds_connections.h"
#include "enip_outputs/target_config.h"

#include "platform/core/files.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const QStringList lines = SplitLines(DecodeText(bytes));

    TEDS_Connections eds;
    eds.Read_EDS_Lines(lines);

    QStringList formats{QStringLiteral("Assem1")};
    QStringList sizes{QStringLiteral("4")};
    for (const TConnData& c : eds.List_Conn) {
        formats << c.TargetConfFormat;
        sizes << c.TargetConfSize;
    }
    for (qsizetype i = 0; i < formats.size(); ++i) {
        TTargetConfig tc;
        tc.Format = formats.at(i);
        tc.Size = sizes.at(i);
        const TTC_Decode_Result r = tc.DecodeAssemblyObj(tc.Find_Assembly_Object(lines), lines);
        (void)r;
        (void)tc.GetConfigStrData();
        for (const TTC_ParamObj& m : tc.ListParamObject) {
            (void)m.GetEnumString();
            (void)m.SetValueFromEnum(m.Name);
        }
    }
    return 0;
}

#include "fuzz_standalone_main.h"
