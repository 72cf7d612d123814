// Fuzz target for the project files of the EtherCAT, S7, TLS certificate and IEC 61850
// server variable editors: the input is each window's file in turn and is loaded as the
// window loads it on show (the EtherCAT positions computed from what was read). A load
// that stops raises the XML layer's error and is remembered as partial; a load that goes
// through is checked and saved, and the saved file must load again and save to the same
// bytes. Message boxes are answered by the dialog seam.

#include "fuzz_support.h"

#include "editors_industrial/ethercat_slave_window.h"
#include "editors_industrial/iec_variables_window.h"
#include "editors_industrial/s7_protocol_window.h"
#include "editors_industrial/tls_known_cert_window.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

void Round_Trip(TRuleEditorFrame* W, const QString& File)
{
  try {
    W->FormShow(W);
  } catch (const EXmlError&) {
    FUZZ_REQUIRE(W->Load_State.Stopped);
    return;
  }
  (void)W->Controllo_dati();
  const QString out = Fuzz_Path("Saved.xml");
  Save_Rule_File(W->Desc(), W->Grids, out);
  const QByteArray first = ReadBinaryFile(out);
  WriteBinaryFile(File, first);
  W->FormShow(W);
  FUZZ_REQUIRE(!W->Load_State.Partial());
  Save_Rule_File(W->Desc(), W->Grids, out);
  FUZZ_REQUIRE(ReadBinaryFile(out) == first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  static int argc = 1;
  static char name[] = "fuzz_industrial_windows";
  static char* argv[] = {name, nullptr};
  static const bool platform = (qputenv("QT_QPA_PLATFORM", "offscreen"), true);
  static QApplication app(argc, argv);
  (void)platform;
  static TDialogResponder answers;
  static const bool state = [] {
    auto ws = std::make_unique<TWorkingState>(Fuzz_Dir());
    ws->Dir_Project = Fuzz_Dir();
    ws->Set_Files();
    Install_Working_State(std::move(ws));
    Init_Lang_Table();
    return true;
  }();
  (void)state;
  static auto ethercat = std::make_unique<TFEtherCATSlave>();
  static auto s7 = std::make_unique<TFS7_Protocol_Set_Access>();
  static auto tls = std::make_unique<TFTLS_Server_Known_Cert>();
  static auto iec = std::make_unique<TFIEC61850_Variables>();

  const std::pair<TRuleEditorFrame*, QString> windows[] = {
      {ethercat.get(), WS().Name_File_EtherCAT_Slave},
      {s7.get(), WS().Name_File_S7_Protocol},
      {tls.get(), WS().Name_File_TLS_Known_Cert},
      {iec.get(), WS().Name_File_IEC61850_Variables},
  };
  for (const auto& [window, file] : windows) {
    Fuzz_Write(file, Data, Size);
    Round_Trip(window, file);
    answers.Requests.clear();
  }
  return 0;
}

#include "fuzz_standalone_main.h"
