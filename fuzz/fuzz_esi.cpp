// Fuzz target of the device-file writers' readers: the bytes serve as EtherCAT_Slave.xml
// and as ParGen.xml; loading either decodes or raises the XML layer's error, and the
// documents built from what was read are complete.
#include "editors_industrial/esi_writer.h"
#include "editors_industrial/gsdml_writer.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

QString Temp(const char* name)
{
  return QDir::temp().filePath(QStringLiteral("fuzz_esi_%1_").arg(QCoreApplication::applicationPid()) +
                               QString::fromLatin1(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const QString input = Temp("input.xml");
  static const QString none = Temp("missing.xml");
  WriteBinaryFile(input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  try {
    const TESI_Data d = Load_ESI_Data(none, input);
    volatile qsizetype sink = ESI_Lines(d).size();
    (void)sink;
  } catch (const EXmlError&) {
  }
  try {
    const TESI_Data d = Load_ESI_Data(input, none);
    volatile qsizetype sink = ESI_Lines(d).size() + GSDML_Lines(Read_PROFINET_Params(input)).size();
    (void)sink;
  } catch (const EXmlError&) {
  }
  return 0;
}

#include "fuzz_standalone_main.h"
