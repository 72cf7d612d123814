#pragma once
// BACnet engineering units: the name of each unit number (the standard's identifiers, with
// the program's own spellings where they differ) and the 23 categories the unit picker
// offers. Names are the same in every user language.

#include <QString>
#include <QStringList>

#include <vector>

// Units 0 to 236 have names.
constexpr int Eng_Unit_Count = 237;

// The unit's display name; "unknown" for every number outside 0 to 236.
QString Desc_Unit(int Num_Unit);

struct TEng_Unit_Category {
  const char* Name;
  std::vector<int> Units;  // in list order
};

// The picker's categories in list order; every unit stands in exactly one of them.
const std::vector<TEng_Unit_Category>& Eng_Unit_Categories();

// The category names in list order ("Acceleration" first).
QStringList Eng_Unit_Category_Names();

// The text of a unit in the picker's list: its name, except for three units the list
// spells its own way.
QString Eng_Unit_List_Text(int Num_Unit);

// The items of a category's unit list; an index out of range gives none.
QStringList Eng_Unit_List_Items(int category);

// The unit at a position of a category's list; -1 when out of range.
int Eng_Unit_At(int category, int item);
