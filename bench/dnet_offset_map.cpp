// The DeviceNet offset window with a slave of 65,535 input and 65,535 output bytes:
// showing its bytes in the two byte grids (Update_Slave_DN) and storing the grids back
// into its lists (Save_Data_ByteIN_ByteOUT). The peer is a QTableWidget pair holding the
// same cells: filled item by item, and read back into the same lists.
#include "editors_can/def_offset_window.h"
#include "grid/column_grid.h"
#include "common/working_state.h"

#include <QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Bytes = 65535;

// A slave whose positions and mnemonics vary from byte to byte, as a worked map does.
TSlave_DN Big_Slave()
{
  TSlave_DN s(1, Bytes, Bytes);
  for (int i = 0; i < Bytes; ++i) {
    const QString pos = i % 3 == 0 ? QStringLiteral("None") : QString::number(i % DN_Exchange_Positions);
    s.SL_ByteIN[i] = pos;
    s.SL_ByteOUT[i] = pos;
    s.SL_ByteIN_M[i] = QStringLiteral("in %1").arg(i);
    s.SL_ByteOUT_M[i] = QStringLiteral("out %1").arg(i);
  }
  return s;
}

std::unique_ptr<TFDefOffset> Window()
{
  auto w = std::make_unique<TFDefOffset>();
  w->List_Slaves_DN = {Big_Slave()};
  w->KCG_DN_Slaves->SetRowCount(2);
  w->KCG_DN_Slaves->SetRow(1);
  w->Slave_Before_Select = 0;
  return w;
}

void BM_Update_Slave_DN(benchmark::State& state)
{
  auto w = Window();
  for (auto _ : state) {
    w->KCG_ByteIN->SetRowCount(1);
    w->KCG_ByteOUT->SetRowCount(1);
    w->Update_Slave_DN();
    benchmark::DoNotOptimize(w->KCG_ByteOUT->RowCount());
  }
}
BENCHMARK(BM_Update_Slave_DN)->Unit(benchmark::kMillisecond);

void BM_Save_Data_ByteIN_ByteOUT(benchmark::State& state)
{
  auto w = Window();
  w->Update_Slave_DN();
  for (auto _ : state) {
    benchmark::DoNotOptimize(w->Save_Data_ByteIN_ByteOUT());
  }
}
BENCHMARK(BM_Save_Data_ByteIN_ByteOUT)->Unit(benchmark::kMillisecond);

void Fill(QTableWidget& t, const QStringList& Positions, const QStringList& Mnemonics)
{
  t.clearContents();
  t.setRowCount(int(Positions.size()));
  for (int i = 0; i < Positions.size(); ++i) {
    t.setItem(i, 0, new QTableWidgetItem(QString::number(i)));
    t.setItem(i, 1, new QTableWidgetItem(Positions.at(i)));
    t.setItem(i, 2, new QTableWidgetItem(Mnemonics.at(i)));
  }
}

void BM_Peer_QTableWidget_Fill(benchmark::State& state)
{
  const TSlave_DN s = Big_Slave();
  QTableWidget in(0, 3), out(0, 3);
  for (auto _ : state) {
    in.setRowCount(0);
    out.setRowCount(0);
    Fill(in, s.SL_ByteIN, s.SL_ByteIN_M);
    Fill(out, s.SL_ByteOUT, s.SL_ByteOUT_M);
    benchmark::DoNotOptimize(out.rowCount());
  }
}
BENCHMARK(BM_Peer_QTableWidget_Fill)->Unit(benchmark::kMillisecond);

void BM_Peer_QTableWidget_Read(benchmark::State& state)
{
  TSlave_DN s = Big_Slave();
  QTableWidget in(0, 3), out(0, 3);
  Fill(in, s.SL_ByteIN, s.SL_ByteIN_M);
  Fill(out, s.SL_ByteOUT, s.SL_ByteOUT_M);
  for (auto _ : state) {
    for (int r = 0; r < Bytes; ++r) {
      s.SL_ByteIN[r] = in.item(r, 1)->text();
      s.SL_ByteIN_M[r] = in.item(r, 2)->text();
      s.SL_ByteOUT[r] = out.item(r, 1)->text();
      s.SL_ByteOUT_M[r] = out.item(r, 2)->text();
    }
    benchmark::DoNotOptimize(s.SL_ByteOUT.size());
  }
}
BENCHMARK(BM_Peer_QTableWidget_Read)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  Install_Working_State(std::make_unique<TWorkingState>(dir.path()));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
