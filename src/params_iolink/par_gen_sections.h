#pragma once
// Design of the general-parameters sections that other products of the family show:
// every control by row, in row order, with its design text, items and limits. The
// window builds these sections from the table; the three sections of this product are
// built by hand next to the window's code.

#include <cstddef>
#include <cstdint>

enum class TParGen_Kind : uint8_t { Label, Edit, Rich_Edit, Combo, Check, Address };

struct TParGen_Control_Def {
  TParGen_Kind Kind;
  int Top;             // the row's Top (labels and check boxes stand there)
  const char* Name;    // an address row: the stem its four byte edits add 1 to 4 to
  const char* Text;    // design text or caption; a combo's items, one per line
  int Item;            // a combo's item selected at design
  int Max_Length;      // 0: no limit
  const char* Dots;    // an address row's separator names, one per line; empty: unnamed
  bool Hidden;
  bool Disabled;
};

struct TParGen_Section_Def {
  const char* Name;
  int Title;           // text index of the section's title
  const TParGen_Control_Def* Controls;
  size_t Count;
};

// The 33 sections, in the order the window creates them.
extern const TParGen_Section_Def ParGen_Product_Sections[];
extern const size_t ParGen_Product_Section_Count;
