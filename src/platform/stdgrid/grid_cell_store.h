#pragma once
// Cell storage of the string grid: a text and an object slot per cell, kept
// apart from the grid's counts. Columns are created on first write and each
// column grows only as far as its last written row, so a grid of many rows
// with few filled cells costs little, and data beyond ColCount/RowCount
// survives a shrink of the counts.
#include <QtCore/QString>
#include <algorithm>
#include <utility>
#include <vector>

template <class TObj>
class TGridCellStore {
public:
    struct Cell {
        QString Text;
        TObj* Object = nullptr;
    };

    const QString& Text(int c, int r) const
    {
        const Cell* p = Find(c, r);
        return p ? p->Text : Empty();
    }
    TObj* Object(int c, int r) const
    {
        const Cell* p = Find(c, r);
        return p ? p->Object : nullptr;
    }
    void SetText(int c, int r, const QString& s)
    {
        if (c < 0 || r < 0 || (s.isEmpty() && !Find(c, r))) return;
        At(c, r).Text = s;
    }
    void SetObject(int c, int r, TObj* o)
    {
        if (c < 0 || r < 0 || (!o && !Find(c, r))) return;
        At(c, r).Object = o;
    }

    // Exchanges the texts and objects of two cells without copying either.
    void Swap(int c1, int r1, int c2, int r2)
    {
        if (c1 < 0 || r1 < 0 || c2 < 0 || r2 < 0 || (!Find(c1, r1) && !Find(c2, r2))) return;
        // Both slots first: making the second may move the first.
        At(c1, r1);
        At(c2, r2);
        std::swap(FCols[c1][r1], FCols[c2][r2]);
    }
    // Moves column `from` to position `to`, shifting those between.
    void MoveColumn(int from, int to)
    {
        if (from == to || from < 0 || to < 0) return;
        int hi = std::max(from, to);
        if (int(FCols.size()) <= hi) FCols.resize(hi + 1);
        if (from < to)
            std::rotate(FCols.begin() + from, FCols.begin() + from + 1, FCols.begin() + to + 1);
        else
            std::rotate(FCols.begin() + to, FCols.begin() + from, FCols.begin() + from + 1);
    }
    // Moves row `from` to position `to` in every column, shifting those between.
    void MoveRow(int from, int to)
    {
        if (from == to || from < 0 || to < 0) return;
        int hi = std::max(from, to);
        for (auto& col : FCols) {
            if (col.empty()) continue;
            int lo = std::min(from, to);
            if (int(col.size()) <= lo) continue; // nothing stored in the range
            if (int(col.size()) <= hi) col.resize(hi + 1);
            if (from < to)
                std::rotate(col.begin() + from, col.begin() + from + 1, col.begin() + to + 1);
            else
                std::rotate(col.begin() + to, col.begin() + from, col.begin() + from + 1);
        }
    }
    void ClearColumn(int c)
    {
        if (c >= 0 && c < int(FCols.size())) FCols[c].clear();
    }
    void Clear() { FCols.clear(); }
    // Number of column slots allocated so far.
    int StoredColumns() const { return int(FCols.size()); }

private:
    static const QString& Empty()
    {
        static const QString e;
        return e;
    }
    const Cell* Find(int c, int r) const
    {
        if (c < 0 || r < 0 || c >= int(FCols.size())) return nullptr;
        const auto& col = FCols[c];
        return r < int(col.size()) ? &col[r] : nullptr;
    }
    Cell& At(int c, int r)
    {
        if (int(FCols.size()) <= c) FCols.resize(c + 1);
        auto& col = FCols[c];
        if (int(col.size()) <= r) col.resize(r + 1);
        return col[r];
    }

    std::vector<std::vector<Cell>> FCols;
};
