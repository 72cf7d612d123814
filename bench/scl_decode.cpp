// Decoding an SCL file of 2,000 data type templates and 200 logical nodes (with a data
// set naming one attribute of every node) into the device model. Beside it, parsing the
// same file into the XML DOM alone: the share of the decoding proper.
#include "editors_industrial/scl_model.h"
#include "platform/core/files.h"
#include "platform/core/xml.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int LN_Count = 200;
constexpr int LNodeType_Count = 200;
constexpr int DOType_Count = 1000;
constexpr int DAType_Count = 800;  // 2,000 templates in all

QString Generated_Scl()
{
  QString s;
  s += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" version=\"2007\" revision=\"B\" release=\"4\">\n"
                      "<Header id=\"bench\"/>\n<IED name=\"BENCH\"><AccessPoint name=\"AP1\"><Server><Authentication/>\n"
                      "<LDevice inst=\"LD0\">\n<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LNT0\">\n<DataSet name=\"All\">\n");
  for (int i = 1; i < LN_Count; ++i)
    s += QStringLiteral("<FCDA ldInst=\"LD0\" prefix=\"P\" lnClass=\"GGIO\" lnInst=\"%1\" doName=\"D0\" "
                        "daName=\"s0.b1\" fc=\"ST\"/>\n")
             .arg(i);
  s += QStringLiteral("</DataSet>\n<GSEControl name=\"G\" datSet=\"All\" appID=\"G\"/>\n</LN0>\n");
  for (int i = 1; i < LN_Count; ++i)
    s += QStringLiteral("<LN prefix=\"P\" lnClass=\"GGIO\" inst=\"%1\" lnType=\"LNT%2\"/>\n").arg(i).arg(i % LNodeType_Count);
  s += QStringLiteral("</LDevice>\n</Server></AccessPoint></IED>\n<DataTypeTemplates>\n");
  for (int t = 0; t < LNodeType_Count; ++t) {
    s += QStringLiteral("<LNodeType id=\"LNT%1\" lnClass=\"GGIO\">").arg(t);
    for (int k = 0; k < 8; ++k)
      s += QStringLiteral("<DO name=\"D%1\" type=\"DOT%2\"/>").arg(k).arg((t * 5 + k) % DOType_Count);
    s += QStringLiteral("</LNodeType>\n");
  }
  for (int t = 0; t < DOType_Count; ++t) {
    s += QStringLiteral("<DOType id=\"DOT%1\" cdc=\"SPS\">").arg(t);
    s += QStringLiteral("<DA name=\"s0\" bType=\"Struct\" type=\"DAT%1\" fc=\"ST\"/>").arg(t % DAType_Count);
    s += QStringLiteral("<DA name=\"s1\" bType=\"Struct\" type=\"DAT%1\" fc=\"MX\"/>").arg((t * 7) % DAType_Count);
    s += QStringLiteral("<DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" fc=\"ST\"/>");
    s += QStringLiteral("</DOType>\n");
  }
  for (int t = 0; t < DAType_Count; ++t) {
    s += QStringLiteral("<DAType id=\"DAT%1\"><BDA name=\"b0\" bType=\"INT32\"/><BDA name=\"b1\" bType=\"FLOAT32\"/>").arg(t);
    if (t < DAType_Count / 2)
      s += QStringLiteral("<BDA name=\"inner\" bType=\"Struct\" type=\"DAT%1\"/>").arg(t + DAType_Count / 2);
    s += QStringLiteral("</DAType>\n");
  }
  s += QStringLiteral("</DataTypeTemplates>\n</SCL>\n");
  return s;
}

class TSclFile {
public:
  TSclFile()
  {
    Path = Dir.filePath(QStringLiteral("bench.scd"));
    WriteBinaryFile(Path, Generated_Scl().toUtf8());
  }
  QTemporaryDir Dir;
  QString Path;
};

const TSclFile& File()
{
  static const TSclFile f;
  return f;
}

void BM_DecodeScl(benchmark::State& state)
{
  const QString path = File().Path;
  size_t members = 0;
  for (auto _ : state) {
    TIEC_Device dev(path);
    members = dev.List_LDevice.front()->List_LN.front()->List_DataSet.front()->List_DA.size();
    benchmark::DoNotOptimize(members);
  }
  state.counters["members"] = static_cast<double>(members);
  state.counters["bytes"] = static_cast<double>(FileSize(path));
}
BENCHMARK(BM_DecodeScl)->Unit(benchmark::kMillisecond);

void BM_ParseSclOnly(benchmark::State& state)
{
  const QString path = File().Path;
  for (auto _ : state) {
    TXmlDocument doc;
    doc.LoadFromFile(path);
    benchmark::DoNotOptimize(doc.IsEmpty());
  }
}
BENCHMARK(BM_ParseSclOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
