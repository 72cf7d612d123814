#include "common/par_gen_file.h"

#include "platform/core/xml.h"

#include <QFileInfo>

#include <array>

namespace {

using TField = QString TParGen_Data::*;

struct TKeyDef {
  const char* Name;
  TField Field;
};

// Key names and fields in the order the file lists them.
const std::array<TKeyDef, ParGen_Key_Count>& Key_Defs()
{
  static const std::array<TKeyDef, ParGen_Key_Count> defs = {{
      {"Eth_Conn_Device_Name", &TParGen_Data::Eth_Conn_Device_Name},
      {"Eth_Conn_DHCP_Cable", &TParGen_Data::Eth_Conn_DHCP_Cable},
      {"Eth_Conn_DHCP_WiFi", &TParGen_Data::Eth_Conn_DHCP_WiFi},
      {"Eth_Conn_Enable_DNS", &TParGen_Data::Eth_Conn_Enable_DNS},
      {"Eth_Conn_Primary_DNS1", &TParGen_Data::Eth_Conn_Primary_DNS1},
      {"Eth_Conn_Primary_DNS2", &TParGen_Data::Eth_Conn_Primary_DNS2},
      {"Eth_Conn_Primary_DNS3", &TParGen_Data::Eth_Conn_Primary_DNS3},
      {"Eth_Conn_Primary_DNS4", &TParGen_Data::Eth_Conn_Primary_DNS4},
      {"Eth_Conn_Secondary_DNS1", &TParGen_Data::Eth_Conn_Secondary_DNS1},
      {"Eth_Conn_Secondary_DNS2", &TParGen_Data::Eth_Conn_Secondary_DNS2},
      {"Eth_Conn_Secondary_DNS3", &TParGen_Data::Eth_Conn_Secondary_DNS3},
      {"Eth_Conn_Secondary_DNS4", &TParGen_Data::Eth_Conn_Secondary_DNS4},
      {"IOLink_Slave_Baudrate", &TParGen_Data::IOLink_Slave_Baudrate},
      {"EtherNetIP_Master_IP1", &TParGen_Data::EtherNetIP_Master_IP1},
      {"EtherNetIP_Master_IP2", &TParGen_Data::EtherNetIP_Master_IP2},
      {"EtherNetIP_Master_IP3", &TParGen_Data::EtherNetIP_Master_IP3},
      {"EtherNetIP_Master_IP4", &TParGen_Data::EtherNetIP_Master_IP4},
      {"EtherNetIP_Master_SM1", &TParGen_Data::EtherNetIP_Master_SM1},
      {"EtherNetIP_Master_SM2", &TParGen_Data::EtherNetIP_Master_SM2},
      {"EtherNetIP_Master_SM3", &TParGen_Data::EtherNetIP_Master_SM3},
      {"EtherNetIP_Master_SM4", &TParGen_Data::EtherNetIP_Master_SM4},
      {"EtherNetIP_Master_GAT1", &TParGen_Data::EtherNetIP_Master_GAT1},
      {"EtherNetIP_Master_GAT2", &TParGen_Data::EtherNetIP_Master_GAT2},
      {"EtherNetIP_Master_GAT3", &TParGen_Data::EtherNetIP_Master_GAT3},
      {"EtherNetIP_Master_GAT4", &TParGen_Data::EtherNetIP_Master_GAT4},
      {"EtherNetIP_Master_EN_GAT", &TParGen_Data::EtherNetIP_Master_EN_GAT},
      {"EtherNetIP_Master_Port", &TParGen_Data::EtherNetIP_Master_Port},
  }};
  return defs;
}

}  // namespace

QString& TParGen_Data::Field(int index)
{
  return this->*(Key_Defs().at(static_cast<size_t>(index)).Field);
}

const QString& TParGen_Data::Field(int index) const
{
  return this->*(Key_Defs().at(static_cast<size_t>(index)).Field);
}

const QStringList& ParGen_Keys()
{
  static const QStringList keys = [] {
    QStringList k;
    for (const TKeyDef& d : Key_Defs())
      k.append(QString::fromLatin1(d.Name));
    return k;
  }();
  return keys;
}

TParGen_Data Read_ParGen_File(const QString& path, bool* fileFound)
{
  TParGen_Data data;
  const bool exists = QFileInfo(path).isFile();
  if (fileFound)
    *fileFound = exists;
  if (!exists)
    return data;

  TXmlDocument doc;
  doc.LoadFromFile(path);  // a file that cannot be parsed is the caller's error
  const TXmlNode root = doc.Root();
  const QStringList& keys = ParGen_Keys();
  for (int i = 0; i < ParGen_Key_Count; ++i) {
    // Each key on its own: whatever goes wrong with one leaves its default.
    try {
      const TXmlNode node = root.ChildByName(keys.at(i));
      if (node)
        data.Field(i) = node.Text();
    } catch (const Exception&) {
    }
  }
  return data;
}

QString Read_ParGen_Key(const QString& path, const QString& key, const QString& defaultValue, bool* found)
{
  if (found)
    *found = false;
  if (!QFileInfo(path).isFile())
    return defaultValue;
  TXmlDocument doc;
  doc.LoadFromFile(path);
  try {
    const TXmlNode node = doc.Root().ChildByName(key);
    if (!node)
      return defaultValue;
    if (found)
      *found = true;
    return node.Text();
  } catch (const Exception&) {
    return defaultValue;  // an empty document has no root
  }
}

void Write_ParGen_File(const QString& path, const TParGen_Data& data)
{
  TXmlDocument doc;
  TXmlNode root = doc.AddChild(ParGen_Root_Name);
  doc.AddComment(ParGen_SW_Version_Comment);
  const QStringList& keys = ParGen_Keys();
  for (int i = 0; i < ParGen_Key_Count; ++i)
    root.AddChild(keys.at(i)).SetText(data.Field(i));
  doc.SaveToFile(path);
}
