// Fuzz target for the DeviceNet offset map's readers: the input, split at its first NUL
// byte, is the slave list and the map. A load that stops raises the XML layer's error,
// an expected outcome that must leave every slave whole. The slaves read must pass or
// fail the duplicate check without reading outside the position table; a map that is not
// too large is saved, read back over the same slaves and saved again to the same bytes.

#include "fuzz_support.h"

#include "editors_can/dnet_offset_map.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool Whole(const std::vector<TSlave_DN>& Slaves)
{
  for (const TSlave_DN& s : Slaves)
    if (s.SL_ByteIN.size() != s.ByteIN || s.SL_ByteIN_M.size() != s.ByteIN || s.SL_ByteOUT.size() != s.ByteOUT ||
        s.SL_ByteOUT_M.size() != s.ByteOUT)
      return false;
  return true;
}

// Reads the map over fresh copies of the slaves; false when the load stopped.
bool Read_Map(const QString& Path, std::vector<TSlave_DN>& Slaves)
{
  TDN_Load_State state;
  try {
    Read_DN_Offset_Map(Path, Slaves, state);
  } catch (const EXmlError&) {
    FUZZ_REQUIRE(state.Stopped);
    return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  const uint8_t* cut = static_cast<const uint8_t*>(std::memchr(Data, 0, Size));
  const size_t netSize = cut ? size_t(cut - Data) : Size;
  const QString net = Fuzz_Path("DNETM_Net.xml");
  const QString map = Fuzz_Path("DNETM_DefOff.xml");
  Fuzz_Write(net, Data, netSize);
  if (cut)
    Fuzz_Write(map, cut + 1, Size - netSize - 1);
  else
    QFile::remove(map);

  std::vector<TSlave_DN> slaves;
  std::vector<TDN_Slave_Row> rows;
  TDN_Load_State state;
  try {
    Read_DN_Slave_List(net, slaves, rows, state);
  } catch (const EXmlError&) {
    FUZZ_REQUIRE(state.Stopped);
  }
  FUZZ_REQUIRE(slaves.size() == rows.size() && slaves.size() <= size_t(DN_Max_Slaves));
  FUZZ_REQUIRE(Whole(slaves));
  const std::vector<TSlave_DN> fresh = slaves;
  const bool mapRead = Read_Map(map, slaves);
  FUZZ_REQUIRE(Whole(slaves));

  TDN_Offset_Check check;
  QString message;
  FUZZ_REQUIRE(Check_DN_Output_Offsets(slaves, check, message) == message.isEmpty());

  // Saving a few hundred thousand rows tells nothing more than saving a few thousand.
  size_t bytes = 0;
  for (const TSlave_DN& s : slaves)
    bytes += s.ByteIN + s.ByteOUT;
  if (!mapRead || bytes > 20000)
    return 0;
  const QString out = Fuzz_Path("Saved.xml");
  Write_DN_Offset_Map(out, slaves);
  const QByteArray first = ReadBinaryFile(out);
  std::vector<TSlave_DN> again = fresh;
  FUZZ_REQUIRE(Read_Map(out, again));
  Write_DN_Offset_Map(out, again);
  FUZZ_REQUIRE(ReadBinaryFile(out) == first);
  return 0;
}

#include "fuzz_standalone_main.h"
