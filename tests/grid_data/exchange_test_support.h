#pragma once
// What the exchange tests share: grids filled from a table of texts, files in a private
// folder, and a grid that records its export notifications, progress and load ends.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "grid/kv_string_grid.h"
#include "shell/qt_print.h"   // readable texts in failure messages

// Rows of cells, "|" between the cells of a row.
inline void FillGrid(TKvStringGrid& G, const QStringList& Rows)
{
    int cols = 1;
    for (const QString& r : Rows) cols = std::max(cols, int(r.split(QLatin1Char('|')).size()));
    G.SetColCount(cols);
    G.SetRowCount(int(Rows.size()));
    for (int r = 0; r < Rows.size(); ++r) {
        const QStringList cells = Rows[r].split(QLatin1Char('|'));
        for (int c = 0; c < cells.size(); ++c) G.SetCells(c, r, cells[c]);
    }
}

inline QStringList GridRows(TKvStringGrid& G)
{
    QStringList rows;
    for (int r = 0; r < G.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < G.ColCount(); ++c) cells << G.Cells(c, r);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

inline QByteArray ReadBytes(const QString& FileName)
{
    QFile f(FileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& FileName, const QByteArray& Bytes)
{
    QFile f(FileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << FileName.toStdString();
    f.write(Bytes);
}

// Records what an exchange tells the grid: export notifications, progress values,
// cells-changed rectangles and loads ended, in order.
class TRecordingGrid : public TKvStringGrid {
public:
    TRecordingGrid()
    {
        OnFileProgress = [this](TObject*, short p) { Progress.push_back(p); };
        OnCellsChanged = [this](TObject*, const TGridRect& R) {
            Events << QStringLiteral("changed %1,%2,%3,%4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom);
        };
    }
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        Events << QStringLiteral("export %1 %2").arg(int(AState)).arg(ARow);
    }
    void CellsLoaded() override
    {
        Events << QStringLiteral("loaded");
        TKvStringGrid::CellsLoaded();
    }
    QStringList Events;
    std::vector<short> Progress;
};

// A private folder per test.
class ExchangeFiles : public ::testing::Test {
protected:
    QString Path(const QString& Name) const { return Dir.filePath(Name); }
    QTemporaryDir Dir;
};
