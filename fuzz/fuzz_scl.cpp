// Fuzz target of the SCL decoder: any bytes, as a catalog file, either decode into a
// device model or raise the XML layer's error; nothing else may escape, crash or hang.
#include "editors_industrial/scl_model.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace {

// Walks the whole model the way the editor's tree does, so every link is touched.
size_t Walk(const TIEC_Device& dev)
{
  size_t n = 0;
  std::function<void(const TIEC_DA&)> da = [&](const TIEC_DA& a) {
    n += static_cast<size_t>(a.Reference().size());
    for (const auto& c : a.List_DA)
      da(*c);
  };
  std::function<void(const TIEC_DO&)> dob = [&](const TIEC_DO& d) {
    for (const auto& c : d.List_DO)
      dob(*c);
    for (const auto& c : d.List_DA)
      da(*c);
    if (const TIEC_DA* first = d.Find_First_DA())
      n += static_cast<size_t>(first->Name().size());
  };
  for (const auto& ld : dev.List_LDevice)
    for (const auto& ln : ld->List_LN) {
      for (const auto& d : ln->List_DO)
        dob(*d);
      for (const auto& ds : ln->List_DataSet)
        for (const TIEC_DA* m : ds->List_DA)
          n += static_cast<size_t>(m->Reference().size());
    }
  return n;
}

const QString& Input_Path()
{
  static const QString path =
      QDir::temp().filePath(QStringLiteral("fuzz_scl_%1.icd").arg(QString::number(QCoreApplication::applicationPid())));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  WriteBinaryFile(Input_Path(), QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  try {
    const TIEC_Device dev(Input_Path());
    volatile size_t sink = Walk(dev);
    (void)sink;
  } catch (const EXmlError&) {
  }
  return 0;
}

#include "fuzz_standalone_main.h"
