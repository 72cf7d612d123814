#pragma once
// Small lists the grid keeps beside its cells: integer lists for row and column
// sets, the sort columns with their directions, the controls placed in cells, a
// line-cursor string list for the text importers and exporters, and a picture
// kept in a file. None of them refers to a grid.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "grid/grid_enums.h"
#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/ui/graphics.h"
#include "platform/ui/messages.h"

class TControl;

// Sender, Col, Row: the list and the cell it belongs to.
using TImageChangeEvent = std::function<void(TObject* Sender, int Col, int Row)>;

// A list of 32-bit integers bound to a cell (or to -1/-1 or 0/0 for the grid).
class TIntList : public TObject {
public:
    TIntList(int Col, int Row);
    ~TIntList() override;

    int Count() const { return int(FItems.size()); }
    // Raises EListError for an index out of range.
    int Items(int Index) const;
    void SetItems(int Index, int Value);    // notifies
    int GetInteger(int Index) const { return Items(Index); }
    void SetInteger(int Index, int Value) { SetItems(Index, Value); }
    int operator[](int Index) const { return Items(Index); }
    int Add(int Value);                     // notifies; returns the new index
    void Delete(int Index);                 // notifies
    void Insert(int Index, int Value);      // does not notify
    void DeleteValue(int Value);            // notifies when Value was present
    bool HasValue(int Value) const;
    int IndexOf(int Value) const;
    void Clear();                           // does not notify
    // Orders the entries by Compare (negative, 0 or positive as A sorts before,
    // with or after B); equal entries keep their order. Does not notify.
    void Sort(const std::function<int(int A, int B)>& Compare);

    // The entries as "3,10,-1". Writing clears the list and adds each comma-text
    // part; a part that is no integer raises EConvertError, keeping those added so far.
    QString StrValue() const;
    void SetStrValue(const QString& Value);

    int Col() const { return FCol; }
    int Row() const { return FRow; }

    TImageChangeEvent OnChange;

    std::vector<int>::const_iterator begin() const { return FItems.begin(); }
    std::vector<int>::const_iterator end() const { return FItems.end(); }

protected:
    void Changed();
    void CheckIndex(int Index) const;

private:
    std::vector<int> FItems;
    int FCol;
    int FRow;
};

// The sort columns in priority order. An entry holds the column in its low 31
// bits; bit 31 set means descending.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(-1, -1) {}
    TSortIndexList(int Col, int Row) : TIntList(Col, Row) {}

    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const;
    int SortColumns(int Index) const;
    void SetSortColumns(int Index, int Column);
    bool SortDirections(int Index) const;
    void SetSortDirections(int Index, bool Ascending);
    void ToggleIndex(int ColumnIndex);

    // "u2;d0": u or d and the column (low 16 bits) per entry, joined by ";".
    QString SaveToString() const;
    // Pieces shorter than 2 characters are skipped; "u" (lower case only) is
    // ascending, any other letter descending; a column that is no number reads as 0.
    void LoadFromString(const QString& Text);
};

class TControlItem : public TObject {
public:
    TControlItem(int AX, int AY, TControl* AObject) : X(AX), Y(AY), Control(AObject) {}
    int X;
    int Y;
    TControl* Control; // not owned
};

// Owns its items, never the controls.
class TControlList : public TObject {
public:
    TControlList() = default;
    ~TControlList() override;
    TControlList(const TControlList&) = delete;
    TControlList& operator=(const TControlList&) = delete;

    int Count() const { return int(FItems.size()); }
    void AddControl(int X, int Y, TControl* Control);
    int ControlIndex(int X, int Y) const;
    TControlItem* Control(int Index) const;    // raises EListError
    TControlItem* GetControl(int Index) const { return Control(Index); }
    void RemoveControl(int Index);             // raises EListError
    // Whether some item's control is a windowed control with this window handle.
    bool HasHandle(HWND Handle) const;
    void Clear();

private:
    std::vector<TControlItem*> FItems;
};

// A string list read and written line by line through a cursor.
class TFileStringList : public TStringList {
public:
    void Reset();
    bool Eof() const;
    // The line at the cursor; the cursor moves one on. Reading past the end
    // raises the list's index error.
    void ReadLn(QString& S);
    void Write(const QString& S);
    void WriteLn(const QString& S);
    int Cursor() const { return fp; }

private:
    int fp = 0;
    QString cache;
};

// A picture kept in a file: only the name and the size are held; the file is
// read again whenever it is drawn.
class TFilePicture : public TPersistent {
public:
    QString Filename() const { return FFilename; }
    // Measures the picture; a file that cannot be loaded raises the loader's error.
    void SetFilename(const QString& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Draws the file stretched into Rect; nothing when the name is empty.
    void DrawPicture(TCanvas* Canvas, const TRect& Rect);
    void Assign(const TPersistent* Source) override;

private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
