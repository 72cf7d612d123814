// Decoding the configuration assembly of an adapter's EDS file whose assembly lists 2,500
// and 20,000 parameters (every fifth with enumerated values, one parameter listed twice).
// Beside it, reading the same file into cleaned lines alone: the share of the decoding
// proper. The time should grow with the file: the last lines print the medians of both
// sizes and their ratio (a linear decoding gives about 8).
#include "enip_outputs/eds_text.h"
#include "enip_outputs/target_config.h"
#include "platform/core/files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int Small = 2500;
constexpr int Large = 20000;

QByteArray Generated_Eds(int Params)
{
  QByteArray s = "[File]\r\n  DescText = \"Bench adapter\";\r\n[Device]\r\n  VendCode = 1;\r\n[Params]\r\n";
  for (int k = 1; k <= Params; ++k) {
    s += "  Param" + QByteArray::number(k) + " = 0,,,0x0000,0xC7,2,\"Value " + QByteArray::number(k) +
         "\",\"\",\"help, with a comma\",0,65535," + QByteArray::number(k % 1000) + ";\r\n";
    if (k % 5 == 0)
      s += "  Enum" + QByteArray::number(k) + " = 0,\"Off\",1,\"On\",2,\"Auto\";\r\n";
  }
  s += "[Assembly]\r\n  Assem100 =\r\n    \"Config\",,," + QByteArray::number(Params * 16 + 16) + ",,,\r\n";
  for (int k = 1; k <= Params; ++k)
    s += "    16,Param" + QByteArray::number(k) + ",\r\n";
  s += "    16,Param1;\r\n[Connection Manager]\r\n";
  return s;
}

class TEdsFile {
public:
  explicit TEdsFile(int Params)
  {
    Path = Dir.filePath(QStringLiteral("bench_%1.eds").arg(Params));
    WriteBinaryFile(Path, Generated_Eds(Params));
  }
  QTemporaryDir Dir;
  QString Path;
};

const TEdsFile& File(int Params)
{
  static std::map<int, std::unique_ptr<TEdsFile>> files;
  auto& f = files[Params];
  if (!f)
    f = std::make_unique<TEdsFile>(Params);
  return *f;
}

void BM_DecodeTargetConf(benchmark::State& state)
{
  const QString path = File(int(state.range(0))).Path;
  size_t members = 0;
  for (auto _ : state) {
    TTargetConfig tc;
    tc.FileName = path;
    tc.Format = QStringLiteral("Assem100");
    if (tc.DecodeTargetConf().Failed())
      state.SkipWithError("the generated assembly did not decode");
    members = tc.ListParamObject.size();
    benchmark::DoNotOptimize(members);
  }
  state.counters["members"] = double(members);
}
BENCHMARK(BM_DecodeTargetConf)->Arg(Small)->Arg(Large)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The peer: the file read into the lines the decoding works on, nothing decoded.
void BM_ReadLinesOnly(benchmark::State& state)
{
  const QString path = File(int(state.range(0))).Path;
  for (auto _ : state) {
    QStringList lines = ReadTextLines(path);
    for (QString& l : lines)
      l = Clean_EDS_Line(l);
    benchmark::DoNotOptimize(lines.size());
  }
}
BENCHMARK(BM_ReadLinesOnly)->Arg(Small)->Arg(Large)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The console output, then the medians of both sizes and their ratio per benchmark.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& reports) override
  {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& r : reports)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
        Medians[r.run_name.function_name][r.run_name.args] = r.GetAdjustedRealTime();
  }
  void Finalize() override
  {
    ConsoleReporter::Finalize();
    for (const auto& [name, bySize] : Medians) {
      const auto small = bySize.find("2500"), large = bySize.find("20000");
      if (small == bySize.end() || large == bySize.end() || small->second <= 0)
        continue;
      std::printf("%s: median %.2f ms at %d, %.2f ms at %d, ratio %.2f (parameters x%d)\n", name.c_str(),
                  small->second, Small, large->second, Large, large->second / small->second, Large / Small);
    }
  }

private:
  std::map<std::string, std::map<std::string, double>> Medians;
};

}  // namespace

int main(int argc, char** argv)
{
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
