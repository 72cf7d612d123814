// Fuzz target of the IEC 61850 client project file reader: any bytes, as
// IEC_61850_Client.xml beside a catalog holding one small device, either load (whole or
// partly, with the failure as a value) or not at all; nothing may escape, crash or hang.
// What was loaded is written back and read again, so the writer sees every loaded shape.
#include "editors_industrial/iec_client_file.h"
#include "platform/core/files.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A device with one data set of two members, so saved data sets and members can bind.
const char* const Catalog_Device = R"(<SCL xmlns="http://www.iec.ch/61850/2003/SCL">
<IED name="IED1"><AccessPoint name="AP1"><Server>
<LDevice inst="LD0"><LN0 lnClass="LLN0" inst="" lnType="LLN0_T">
<DataSet name="DS1"><FCDA ldInst="LD0" lnClass="LLN0" doName="Beh" daName="stVal" fc="ST"/>
<FCDA ldInst="LD0" lnClass="LLN0" doName="Beh" daName="q" fc="ST"/></DataSet>
<GSEControl name="GCB" datSet="DS1"/></LN0></LDevice>
</Server></AccessPoint></IED>
<DataTypeTemplates><LNodeType id="LLN0_T" lnClass="LLN0"><DO name="Beh" type="ENS_T"/></LNodeType>
<DOType id="ENS_T" cdc="ENS"><DA name="stVal" bType="Enum" fc="ST" type="Beh_E"/>
<DA name="q" bType="Quality" fc="ST"/></DOType>
<EnumType id="Beh_E"><EnumVal ord="1">on</EnumVal></EnumType></DataTypeTemplates>
</SCL>
)";

const QString& Folder()
{
  static const QString dir = [] {
    const QString d =
        QDir::temp().filePath(QStringLiteral("fuzz_iec61850_client_%1").arg(QCoreApplication::applicationPid()));
    ForceDirectories(PathJoin(d, IEC_Catalog_Folder_Name));
    // Listed by the inputs as "a.icd"; "b.icd" stays missing.
    WriteBinaryFile(PathJoin({d, IEC_Catalog_Folder_Name, QStringLiteral("a.icd")}), QByteArray(Catalog_Device));
    return d;
  }();
  return dir;
}

void Load(const QString& Path, TIEC_Client_Model& Model)
{
  Read_IEC_61850_Client_File(Path, PathJoin(Folder(), IEC_Catalog_Folder_Name), Model);
  // Every data-set row has its chosen data set, found or not.
  if (Model.List_DataSet.size() != Model.DataSet_Rows.size())
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const QString Input = PathJoin(Folder(), QStringLiteral("IEC_61850_Client.xml"));
  const QString Again = PathJoin(Folder(), QStringLiteral("again.xml"));
  WriteBinaryFile(Input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  TIEC_Client_Model Model;
  Load(Input, Model);
  try {
    Write_IEC_61850_Client_File(Again, Model);
  } catch (const Exception&) {
    return 0;  // a full disk is no finding
  }
  TIEC_Client_Model Reloaded;
  Load(Again, Reloaded);
  return 0;
}

#include "fuzz_standalone_main.h"
