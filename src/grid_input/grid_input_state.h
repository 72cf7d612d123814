#pragma once
// Small helpers the grid's key and button handlers share.
#include <QtGlobal>
#include <vector>

#include "platform/ui/controls.h"

namespace KvGridInput {
inline bool KeyIsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// Shift, Ctrl and Alt as held now; LeftAltOnly counts only the left Alt key
// (the right one types characters).
inline TShiftState KeyboardShift(bool LeftAltOnly)
{
    TShiftState s;
    if (KeyIsDown(VK_SHIFT)) s << ssShift;
    if (KeyIsDown(LeftAltOnly ? VK_LMENU : VK_MENU)) s << ssAlt;
    if (KeyIsDown(VK_CONTROL)) s << ssCtrl;
    return s;
}

// An entry of the selected-cell list: (row << 16) | column.
inline int CellEntry(int ACol, int ARow) { return int((quint32(ARow) << 16) | (quint32(ACol) & 0xFFFF)); }
inline int EntryCol(int Entry) { return int(quint32(Entry) & 0xFFFF); }
inline int EntryRow(int Entry) { return int(quint32(Entry) >> 16); }

// The first of the grid's editor controls of class T.
template <class T, class TList>
T* FindEditorControl(const TList& Controls)
{
    for (auto* c : Controls)
        if (auto* e = dynamic_cast<T*>(c)) return e;
    return nullptr;
}
} // namespace KvGridInput
