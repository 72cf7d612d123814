#pragma once
// ParGen.xml: the project's general communication parameters.
//
// The general-parameters window is the file's only writer; the window, the bank compiler
// and the IODD writer read it. Every value is kept as the text stored in the file, so each
// reader applies its own conversion (flags are set only by exactly "1"; numbers use the
// integer-or-default conversion with the default below).

#include <QString>
#include <QStringList>

inline const QString ParGen_Root_Name = QStringLiteral("Par_Gen");
inline const QString ParGen_SW_Version_Comment = QStringLiteral("SW_VERSION = 1.001");
inline const QString ParGen_Fixed_Port = QStringLiteral("44818");

// One field per key of the file, named after it; the initial values are the defaults a
// reader uses for a key the file does not hold.
struct TParGen_Data {
  QString Eth_Conn_Device_Name = QString();
  QString Eth_Conn_DHCP_Cable = QStringLiteral("0");
  QString Eth_Conn_DHCP_WiFi = QStringLiteral("0");
  QString Eth_Conn_Enable_DNS = QStringLiteral("0");
  QString Eth_Conn_Primary_DNS1 = QStringLiteral("8");
  QString Eth_Conn_Primary_DNS2 = QStringLiteral("8");
  QString Eth_Conn_Primary_DNS3 = QStringLiteral("8");
  QString Eth_Conn_Primary_DNS4 = QStringLiteral("8");
  QString Eth_Conn_Secondary_DNS1 = QStringLiteral("8");
  QString Eth_Conn_Secondary_DNS2 = QStringLiteral("8");
  QString Eth_Conn_Secondary_DNS3 = QStringLiteral("4");
  QString Eth_Conn_Secondary_DNS4 = QStringLiteral("4");
  QString IOLink_Slave_Baudrate = QStringLiteral("COM1");
  QString EtherNetIP_Master_IP1 = QStringLiteral("192");
  QString EtherNetIP_Master_IP2 = QStringLiteral("168");
  QString EtherNetIP_Master_IP3 = QStringLiteral("0");
  QString EtherNetIP_Master_IP4 = QStringLiteral("5");
  QString EtherNetIP_Master_SM1 = QStringLiteral("255");
  QString EtherNetIP_Master_SM2 = QStringLiteral("255");
  QString EtherNetIP_Master_SM3 = QStringLiteral("255");
  QString EtherNetIP_Master_SM4 = QStringLiteral("0");
  QString EtherNetIP_Master_GAT1 = QStringLiteral("192");
  QString EtherNetIP_Master_GAT2 = QStringLiteral("168");
  QString EtherNetIP_Master_GAT3 = QStringLiteral("0");
  QString EtherNetIP_Master_GAT4 = QStringLiteral("1");
  QString EtherNetIP_Master_EN_GAT = QStringLiteral("0");
  QString EtherNetIP_Master_Port = ParGen_Fixed_Port;

  // The fields in the file's key order (index 0 to 26), for code that walks all keys.
  QString& Field(int index);
  const QString& Field(int index) const;

  bool operator==(const TParGen_Data&) const = default;
};

constexpr int ParGen_Key_Count = 27;

// The 27 key names in the order the writer puts them.
const QStringList& ParGen_Keys();

// A stored flag is set only when its text is exactly "1".
inline bool ParGen_Flag(const QString& text) { return text == QLatin1String("1"); }
inline QString ParGen_Flag_Text(bool set) { return set ? QStringLiteral("1") : QStringLiteral("0"); }

// Reads the file. A missing file gives the defaults (fileFound, when given, tells the
// two apart); a missing key gives that key's default. The first top-level node is the
// root whatever its name (a leading comment leaves every key at its default; an XML
// declaration is not a node); key order and unknown elements do not matter.
// A file that exists but cannot be read or parsed raises the XML layer's error.
TParGen_Data Read_ParGen_File(const QString& path, bool* fileFound = nullptr);

// Reads one key that the general-parameters window does not write (the protocol editors'
// and device-file writers' own keys): the text of the root's child element of that name.
// A missing file or key gives defaultValue (found, when given, tells whether the key was
// there); a file that is not well-formed (or cannot be read) raises EXmlError, which the
// caller reports.
QString Read_ParGen_Key(const QString& path, const QString& key, const QString& defaultValue,
                        bool* found = nullptr);

// Writes the whole file: root "Par_Gen", the version comment after the root, the 27
// keys in order, each value as its element's text. Raises on failure; the old file stays.
void Write_ParGen_File(const QString& path, const TParGen_Data& data);
