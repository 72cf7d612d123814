#pragma once
// The IEC 61850 device model decoded from one SCL file (.icd, .cid, .iid, .scd, .ssd,
// .sed): the first IED's logical devices, logical nodes, data objects, data attributes
// and data sets. The client editor builds one model per catalog file, shows it as a tree
// and lets the user pick attributes and data sets; the model never changes after decoding
// (only the editor's tree links are set).
//
// What the decoder takes: the first IED, its first access point's Server, the LDevice,
// LN0/LN, DataSet, FCDA and GSEControl elements and the DataTypeTemplates; everything
// else is ignored and nothing is reported. Elements match by local name when they carry
// no prefix or a prefix bound to the SCL namespace; comments are skipped everywhere.
// A missing file gives an empty device; a file the parser rejects raises EXmlError.
//
// Choices where the format leaves room:
// - an FCDA names its logical node by prefix, lnClass and lnInst (absent = empty) and
//   may give dotted doName/daName paths, walked one segment at a time;
// - a data set's reference carries its logical node's prefix and instance, so data sets
//   of the same name in XSWI1 and XSWI2 stay apart;
// - a type that leads back to itself is not expanded again below itself (a leaf), and
//   one device holds at most Max_Model_Nodes data objects and attributes, so a crafted
//   file can neither recurse without end nor grow without bound.

#include <QString>

#include <memory>
#include <vector>

class TTreeNode;
class TXmlNode;
class TSCL_Context;

// A list that owns its entries and destroys them last to first.
template <class T>
class TOwnedList : public std::vector<std::unique_ptr<T>> {
public:
  TOwnedList() = default;
  TOwnedList(const TOwnedList&) = delete;
  TOwnedList& operator=(const TOwnedList&) = delete;
  ~TOwnedList() { Clear(); }
  void Clear()
  {
    while (!this->empty())
      this->pop_back();
  }
  T* Add(std::unique_ptr<T> item)
  {
    this->push_back(std::move(item));
    return this->back().get();
  }
};

class TIEC_Device;

// A data attribute or sub-attribute.
class TIEC_DA {
public:
  TIEC_DA() = default;
  TIEC_DA(const TIEC_DA&) = delete;
  TIEC_DA& operator=(const TIEC_DA&) = delete;

  const QString& Reference() const { return fReference; }
  const QString& FC() const { return fFC; }
  const QString& bType() const { return fbType; }
  const QString& Name() const { return fName; }

  TOwnedList<TIEC_DA> List_DA;
  TTreeNode* TreeNode = nullptr;  // not owned; set by the editor

  // Depth-first among the sub-attributes (this attribute itself is not compared).
  TIEC_DA* Find_DA(const QString& DA_Name) const;
  // Follows the first sub-attribute down to a leaf; none when there is no sub-attribute.
  TIEC_DA* Find_First_DA() const;

  void Decode_DA(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                 const QString& FC_Father);

private:
  QString fReference, fFC, fbType, fName;
};

// A data object or sub-data object.
class TIEC_DO {
public:
  TIEC_DO() = default;
  TIEC_DO(const TIEC_DO&) = delete;
  TIEC_DO& operator=(const TIEC_DO&) = delete;

  const QString& Name() const { return fName; }

  TOwnedList<TIEC_DO> List_DO;
  TOwnedList<TIEC_DA> List_DA;
  TTreeNode* TreeNode = nullptr;

  // Depth-first among the sub-data objects (the object itself is not compared).
  TIEC_DO* Find_DO(const QString& DO_Name) const;
  // Depth-first over the attributes and their sub-attributes.
  TIEC_DA* Find_DA(const QString& DA_Name) const;
  // The first attribute when it is a leaf, else the first leaf below it; none without attributes.
  TIEC_DA* Find_First_DA() const;

  void Decode_DO(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference);

private:
  QString fName;
};

class TIEC_DataSet {
public:
  TIEC_DataSet() = default;
  TIEC_DataSet(const TIEC_DataSet&) = delete;
  TIEC_DataSet& operator=(const TIEC_DataSet&) = delete;

  const QString& Name() const { return fName; }
  const QString& Reference() const { return fReference; }
  const QString& GooseName() const { return fGooseName; }

  // The members in FCDA order; the attributes belong to the device's data objects.
  std::vector<TIEC_DA*> List_DA;
  TTreeNode* TreeNode = nullptr;

  void Decode_DataSet(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                      TIEC_Device& IEC_Device);

private:
  friend class TIEC_LN;
  QString fName, fReference, fGooseName;
};

class TIEC_LN {
public:
  TIEC_LN() = default;
  TIEC_LN(const TIEC_LN&) = delete;
  TIEC_LN& operator=(const TIEC_LN&) = delete;

  const QString& lnClass() const { return flnClass; }
  const QString& lnType() const { return flnType; }
  const QString& Prefix() const { return fPrefix; }
  const QString& Inst() const { return fInst; }

  TOwnedList<TIEC_DO> List_DO;
  TOwnedList<TIEC_DataSet> List_DataSet;
  TTreeNode* TreeNode = nullptr;

  // Depth-first over the data objects and their sub-data objects.
  TIEC_DO* Find_DO(const QString& DO_Name) const;

  void Decode_LN(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference);
  void Decode_LN_DataSet(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                         TIEC_Device& IEC_Device);
  void Decode_LN_Goose(const TXmlNode& Element, const QString& str_Reference);

private:
  QString flnClass, flnType, fPrefix, fInst;
};

class TIEC_LDevice {
public:
  TIEC_LDevice() = default;
  TIEC_LDevice(const TIEC_LDevice&) = delete;
  TIEC_LDevice& operator=(const TIEC_LDevice&) = delete;

  const QString& Name() const { return fName; }

  TOwnedList<TIEC_LN> List_LN;
  TTreeNode* TreeNode = nullptr;

  // The logical node whose prefix, class and instance all equal the arguments.
  TIEC_LN* Find_LN(const QString& Prefix, const QString& LN_Class, const QString& Inst) const;

  void Decode_LDevice(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                      bool DataSetSearch, TIEC_Device* IEC_Device);

private:
  QString fName;
};

class TIEC_Device {
public:
  // Decodes FileName_icd. A missing file gives an empty device; EXmlError from the
  // parser reaches the caller.
  explicit TIEC_Device(const QString& FileName_icd);
  TIEC_Device(const TIEC_Device&) = delete;
  TIEC_Device& operator=(const TIEC_Device&) = delete;

  const QString& Name() const { return fName; }
  const QString& FileName() const { return fFileName; }

  TOwnedList<TIEC_LDevice> List_LDevice;
  TTreeNode* TreeNode = nullptr;

  TIEC_LDevice* Find_LDevice(const QString& LD_Name) const;

private:
  void Decode_Device(const QString& FileName_icd);
  QString fName, fFileName;
};

// Most data objects and attributes one device holds; types below the limit are left unexpanded.
inline constexpr int Max_Model_Nodes = 200000;

// The SCL namespace; elements of any other namespace are passed over.
inline const QString SCL_Namespace = QStringLiteral("http://www.iec.ch/61850/2003/SCL");
