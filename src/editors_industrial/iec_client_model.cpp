#include "editors_industrial/iec_client_model.h"

#include "platform/core/sysutils.h"
#include "common/common_routines.h"
#include "common/lang_table.h"

#include <climits>

namespace {

// Texts of the editor's block that the check shows.
enum : int {
  Txt_Error_Row = 3452,
  Txt_IP_Address = 3453,
  Txt_Port = 3454,
  Txt_Time = 3455,
  Txt_Position = 3456,
  Txt_Mult_Factor = 3457,
  Txt_Vis_Start = 3462,
  Txt_Vis_Num = 3463,
  Txt_Vis_Sum = 3464,
  Txt_Oct_Start = 3465,
  Txt_Oct_Num = 3466,
  Txt_Oct_Sum = 3467,
};

bool In_Range(const QString& Text, int Low, int High)
{
  const int V = IEC_Decimal(Text);
  return V >= Low && V <= High;
}

// The byte rule of the types whose span the user chooses; the texts are the three checks'.
struct TByte_Rule {
  const char* bType;
  int Max_Start, Max_Num;
  int Txt_Start, Txt_Num, Txt_Sum;
};

const TByte_Rule Byte_Rules[] = {
    {"VISSTRING255", 254, 255, Txt_Vis_Start, Txt_Vis_Num, Txt_Vis_Sum},
    {"OCTET64", 63, 64, Txt_Oct_Start, Txt_Oct_Num, Txt_Oct_Sum},
};

// The text of the first failed check of one row, or none.
std::optional<QString> Row_Failure(const TIEC_DA_Row& R, QChar Separator)
{
  const QString Type = R.bType.toUpper();
  for (const TByte_Rule& B : Byte_Rules) {
    if (Type != QLatin1String(B.bType))
      continue;
    if (!In_Range(R.StartByte, 0, B.Max_Start))
      return Lang_Str(B.Txt_Start);
    if (!In_Range(R.NumByte, 1, B.Max_Num))
      return Lang_Str(B.Txt_Num);
    if (IEC_Decimal(R.StartByte) + IEC_Decimal(R.NumByte) > B.Max_Num)
      return Lang_Str(B.Txt_Sum);
  }
  QString A, B, C, D;
  if (!Split_IP_Address(R.IPAddress, A, B, C, D))
    return Lang_Str(Txt_IP_Address);
  if (!In_Range(R.Port, 0, 65535))
    return Lang_Str(Txt_Port);
  if (Trim(R.OnTimer) == QLatin1String("Y") && !In_Range(R.Time, 1, 100000000))
    return Lang_Str(Txt_Time);
  if (!In_Range(R.Position, 0, IEC_Client_Max_Position))
    return Lang_Str(Txt_Position) + QString::number(IEC_Client_Max_Position);
  float Factor = 0;
  if (Trim(R.MoltFact).toUpper() != QLatin1String("NONE") && !Conv_Str_To_Float(R.MoltFact, Separator, Factor))
    return Lang_Str(Txt_Mult_Factor);
  return std::nullopt;
}

template <class Row>
int Add_Row(std::vector<Row>& Rows, Row New)
{
  if (Rows.size() == 1 && Rows.front().Index.isEmpty()) {
    Rows.front() = std::move(New);
    return 1;
  }
  Rows.push_back(std::move(New));
  return int(Rows.size());
}

bool Device_Holds(const TIEC_Device& Dev, const TIEC_DataSet* DataSet)
{
  for (const auto& LD : Dev.List_LDevice)
    for (const auto& LN : LD->List_LN)
      for (const auto& DS : LN->List_DataSet)
        if (DS.get() == DataSet)
          return true;
  return false;
}

template <class Row>
bool Names_Device(const std::vector<Row>& Rows, int Index)
{
  for (const Row& R : Rows)
    if (IEC_Decimal(R.Index) == Index)
      return true;
  return false;
}

template <class Row>
void Renumber_After(std::vector<Row>& Rows, int Index)
{
  for (Row& R : Rows) {
    const int I = IEC_Decimal(R.Index);
    if (I > Index)
      R.Index = QString::number(I - 1);
  }
}

}  // namespace

QString& TIEC_DA_Row::Field(int i)
{
  static QString TIEC_DA_Row::*const Fields[Num_Fields] = {
      &TIEC_DA_Row::Index,     &TIEC_DA_Row::bType,     &TIEC_DA_Row::fc,        &TIEC_DA_Row::Reference,
      &TIEC_DA_Row::StartByte, &TIEC_DA_Row::NumByte,   &TIEC_DA_Row::IPAddress, &TIEC_DA_Row::Port,
      &TIEC_DA_Row::OnChange,  &TIEC_DA_Row::OnCMD,     &TIEC_DA_Row::OnTimer,   &TIEC_DA_Row::Time,
      &TIEC_DA_Row::Position,  &TIEC_DA_Row::StartBit,  &TIEC_DA_Row::ReadWrite, &TIEC_DA_Row::Convertion,
      &TIEC_DA_Row::MoltFact,  &TIEC_DA_Row::Mnemonic};
  return this->*Fields[i];
}

QString& TIEC_DataSet_Row::Field(int i)
{
  static QString TIEC_DataSet_Row::*const Fields[Num_Fields] = {
      &TIEC_DataSet_Row::Index,     &TIEC_DataSet_Row::Reference, &TIEC_DataSet_Row::GooseName,
      &TIEC_DataSet_Row::EnGoose,   &TIEC_DataSet_Row::IPAddress, &TIEC_DataSet_Row::Port,
      &TIEC_DataSet_Row::Time,      &TIEC_DataSet_Row::Mnemonic};
  return this->*Fields[i];
}

bool TDataSet_DA::Set_Field(int ACol, const QString& Text)
{
  QString* Target = nullptr;
  switch (ACol) {
  case 3: Target = &Position; break;
  case 4: Target = &bitAddress; break;
  case 5: Target = &conversion; break;
  case 6: Target = &multFactor; break;
  case 7: Target = &Mnemonic; break;
  default: return false;
  }
  *Target = Text;
  return true;
}

TDataSet::TDataSet(TIEC_DataSet* DataSet) : Select_DataSet(DataSet)
{
  if (!DataSet)
    return;
  for (TIEC_DA* DA : DataSet->List_DA)
    List_DAs.Add(std::make_unique<TDataSet_DA>())->Select_DA = DA;
}

void TIEC_Client_Model::Clear()
{
  List_DataSet.Clear();
  DataSet_Rows.clear();
  DA_Rows.clear();
  List_IEC_Dev.Clear();
}

int IEC_Decimal(const QString& Text, int Default)
{
  qsizetype i = 0;
  while (i < Text.size() && Text.at(i) == QLatin1Char(' '))
    ++i;
  bool Negative = false;
  if (i < Text.size() && (Text.at(i) == QLatin1Char('+') || Text.at(i) == QLatin1Char('-')))
    Negative = Text.at(i++) == QLatin1Char('-');
  if (i == Text.size())
    return Default;
  qint64 V = 0;
  for (; i < Text.size(); ++i) {
    const QChar C = Text.at(i);
    if (C < QLatin1Char('0') || C > QLatin1Char('9'))
      return Default;
    V = V * 10 + (C.unicode() - '0');
    if (V > qint64(INT_MAX) + 1)
      return Default;
  }
  if (Negative)
    V = -V;
  return V < INT_MIN || V > INT_MAX ? Default : int(V);
}

std::optional<TIEC_Byte_Span> IEC_Fixed_Byte_Span(const QString& bType)
{
  struct TSpan {
    const char* bType;
    int Size;
  };
  static const TSpan Spans[] = {
      {"FLOAT32", 4}, {"INT32U", 4}, {"INT32", 4},   {"QUALITY", 4},   {"FLOAT64", 8}, {"INT64", 8},
      {"INT8U", 1},   {"INT8", 1},   {"BOOLEAN", 1}, {"TIMESTAMP", 1}, {"ENUM", 1},    {"INT16U", 2},
      {"INT16", 2}};
  const QString Type = bType.toUpper();
  for (const TSpan& S : Spans)
    if (Type == QLatin1String(S.bType))
      return TIEC_Byte_Span{QStringLiteral("0"), QString::number(S.Size)};
  return std::nullopt;
}

bool Set_Start_Num_Byte(TIEC_DA_Row& Row)
{
  const std::optional<TIEC_Byte_Span> Span = IEC_Fixed_Byte_Span(Row.bType);
  if (!Span)
    return false;
  Row.StartByte = Span->StartByte;
  Row.NumByte = Span->NumByte;
  return true;
}

void Set_Start_Num_Byte(std::vector<TIEC_DA_Row>& Rows)
{
  for (TIEC_DA_Row& R : Rows)
    Set_Start_Num_Byte(R);
}

TIEC_Check_Result Controllo_dati(const std::vector<TIEC_DA_Row>& Rows, QChar Separator)
{
  for (size_t i = 0; i < Rows.size(); ++i) {
    if (Trim(Rows[i].bType).isEmpty())
      continue;
    if (const std::optional<QString> Failure = Row_Failure(Rows[i], Separator)) {
      const int Row = int(i) + 1;
      return {Row, Lang_Str(Txt_Error_Row) + QString::number(Row) + *Failure};
    }
  }
  return {};
}

TIEC_DA_Row IEC_DA_Row_For(const TIEC_DA& DA, int DeviceIndex)
{
  TIEC_DA_Row R;
  R.Index = QString::number(DeviceIndex);
  R.bType = DA.bType();
  R.fc = DA.FC();
  R.Reference = DA.Reference();
  R.OnChange = R.OnCMD = R.OnTimer = QStringLiteral("N");
  Set_Start_Num_Byte(R);
  return R;
}

TIEC_DataSet_Row IEC_DataSet_Row_For(const TIEC_DataSet& DataSet, int DeviceIndex)
{
  TIEC_DataSet_Row R;
  R.Index = QString::number(DeviceIndex);
  R.Reference = DataSet.Reference();
  R.GooseName = DataSet.GooseName();
  R.EnGoose = DataSet.GooseName().isEmpty() ? QStringLiteral("N") : QStringLiteral("Y");
  return R;
}

int Add_Var_DA(TIEC_Client_Model& Model, const TIEC_DA& DA, int DeviceIndex)
{
  return Add_Row(Model.DA_Rows, IEC_DA_Row_For(DA, DeviceIndex));
}

int Add_Var_DataSet(TIEC_Client_Model& Model, TIEC_DataSet& DataSet, int DeviceIndex)
{
  const int Row = Add_Row(Model.DataSet_Rows, IEC_DataSet_Row_For(DataSet, DeviceIndex));
  // A reused row had no chosen data set; keep entry k with row k + 1 either way.
  while (Model.List_DataSet.size() >= size_t(Row))
    Model.List_DataSet.pop_back();
  while (Model.List_DataSet.size() < size_t(Row) - 1)
    Model.List_DataSet.Add(std::make_unique<TDataSet>());
  Model.List_DataSet.Add(std::make_unique<TDataSet>(&DataSet));
  return Row;
}

TIEC_DataSet* Get_DataSet(const TOwnedList<TIEC_Device>& List_IEC_Dev, int Index, const QString& Reference)
{
  if (Index < 0 || size_t(Index) >= List_IEC_Dev.size())
    return nullptr;
  for (const auto& LD : List_IEC_Dev[size_t(Index)]->List_LDevice)
    for (const auto& LN : LD->List_LN)
      for (const auto& DS : LN->List_DataSet)
        if (DS->Reference() == Reference)
          return DS.get();
  return nullptr;
}

QString IEC_DataSet_Class_Reference(const TIEC_Device& Dev, const TIEC_LDevice& LD, const TIEC_LN& LN,
                                    const TIEC_DataSet& DataSet)
{
  return Dev.Name() + LD.Name() + QLatin1Char('/') + LN.lnClass() + QLatin1Char('.') + DataSet.Name();
}

TIEC_DataSet* Get_Saved_DataSet(const TOwnedList<TIEC_Device>& List_IEC_Dev, int Index, const QString& Reference)
{
  if (TIEC_DataSet* DS = Get_DataSet(List_IEC_Dev, Index, Reference))
    return DS;
  if (Index < 0 || size_t(Index) >= List_IEC_Dev.size())
    return nullptr;
  const TIEC_Device& Dev = *List_IEC_Dev[size_t(Index)];
  for (const auto& LD : Dev.List_LDevice)
    for (const auto& LN : LD->List_LN)
      for (const auto& DS : LN->List_DataSet)
        if (IEC_DataSet_Class_Reference(Dev, *LD, *LN, *DS) == Reference)
          return DS.get();
  return nullptr;
}

bool IEC_Device_In_Use(const TIEC_Client_Model& Model, int Index)
{
  if (Names_Device(Model.DA_Rows, Index) || Names_Device(Model.DataSet_Rows, Index))
    return true;
  if (Index < 0 || size_t(Index) >= Model.List_IEC_Dev.size())
    return false;
  const TIEC_Device& Dev = *Model.List_IEC_Dev[size_t(Index)];
  for (const auto& DS : Model.List_DataSet)
    if (DS->Select_DataSet && Device_Holds(Dev, DS->Select_DataSet))
      return true;
  return false;
}

bool Remove_IEC_Device(TIEC_Client_Model& Model, int Index)
{
  if (Index < 0 || size_t(Index) >= Model.List_IEC_Dev.size() || IEC_Device_In_Use(Model, Index))
    return false;
  Model.List_IEC_Dev.erase(Model.List_IEC_Dev.begin() + Index);
  Renumber_After(Model.DA_Rows, Index);
  Renumber_After(Model.DataSet_Rows, Index);
  return true;
}
