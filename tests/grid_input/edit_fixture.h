#pragma once
// A small form holding a column grid set up like the program's rule grids:
// a text column, a pick-list and an editable combo column, a Y/N check-box
// column, one hidden column and a text column after it; editing, range
// selection and column sizing on, no goTabs, OnCellValidate assigned.
#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "grid_input/kv_inplace_edit.h"
#include "platform/core/format_settings.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QApplication>
#include <QTest>
#include <QtWidgets/QLineEdit>
#include <functional>
#include <vector>

// The column grid with a look at every message its window procedure gets.
class TSpyGrid : public TKvColumnGrid {
public:
    using TKvColumnGrid::TKvColumnGrid;
    std::function<void(const TMessage&)> OnMessage;

protected:
    void WndProc(TMessage& Message) override
    {
        if (OnMessage) OnMessage(Message);
        TKvColumnGrid::WndProc(Message);
    }
};

struct TValidateCall {
    int Col, Row;
    QString Value;
    bool AdvanceOnEnter;
};

struct TEditGridForm {
    enum { cNormal = 1, cList = 2, cCombo = 3, cCheck = 4, cHidden = 5, cAfter = 6 };
    TForm form;
    TSpyGrid* grid;
    TEdit* other;
    std::vector<TValidateCall> validations;
    // What the validator does: refuse, or replace the value.
    bool refuse = false;
    QString replaceWith;
    int editingDone = 0;

    TEditGridForm()
    {
        form.SetBounds(0, 0, 640, 300);
        grid = new TSpyGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(8, 8, 600, 200);
        grid->SetColCount(7);
        grid->SetRowCount(6);
        grid->SetOptions(TGridOptions(goFixedVertLine) | goFixedHorzLine | goVertLine | goHorzLine | goEditing |
                         goRangeSelect | goColSizing);
        grid->Columns()->Items(cList)->SetEditor(edComboList);
        for (const char* s : {"Read Only", "Write Only", "Read Write"})
            grid->Columns()->Items(cList)->ComboItems()->Add(QString::fromLatin1(s));
        grid->Columns()->Items(cCombo)->SetEditor(edComboEdit);
        grid->Columns()->Items(cCombo)->ComboItems()->Add(QStringLiteral("alpha"));
        grid->Columns()->Items(cCombo)->ComboItems()->Add(QStringLiteral("beta"));
        grid->Columns()->Items(cCheck)->SetEditor(edDataCheckBox);
        for (int r = 1; r < grid->RowCount(); ++r) {
            grid->SetCells(cNormal, r, QStringLiteral("n%1").arg(r));
            grid->SetCells(cList, r, QStringLiteral("Read Only"));
            grid->SetCells(cCombo, r, QStringLiteral("alpha"));
            grid->SetCells(cCheck, r, QStringLiteral("N"));
            grid->SetCells(cHidden, r, QStringLiteral("h%1").arg(r));
            grid->SetCells(cAfter, r, QStringLiteral("a%1").arg(r));
        }
        grid->HideColumn(cHidden);
        grid->OnCellValidate = [this](TObject*, int c, int r, QString& v, bool& valid) {
            validations.push_back({c, r, v, grid->Navigation()->AdvanceOnEnter()});
            if (refuse) valid = false;
            if (!replaceWith.isNull()) v = replaceWith;
        };
        grid->OnEditingDone = [this](TObject*) { ++editingDone; };
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetBounds(8, 240, 120, 22);
        form.Show();
        QApplication::setActiveWindow(&form);
        grid->SetFocus();
    }
    ~TEditGridForm() { form.Hide(); }

    // Display column of a real column (the hidden one shifts the last).
    int Disp(int realCol) const { return grid->DisplColIndexOf(realCol); }
    void GoTo(int realCol, int row)
    {
        grid->SetFocus();
        // The stock move, as the keyboard and the mouse make it.
        static_cast<TCustomGrid*>(grid)->FocusCell(Disp(realCol), row, true);
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    TKvInplaceEdit* Editor() const { return grid->NormalEdit(); }
    bool EditorShown() const { return Editor() && Editor()->Visible(); }
    void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(Focus(), k, m); }
    void Type(const QString& s) { QTest::keyClicks(Focus(), s); }
    void F2() { Key(Qt::Key_F2); }
};

// The rule-like grid with one column whose kind the test picks.
struct TKindForm : TEditGridForm {
    static constexpr int cKind = cNormal;
    TEditorType kind = edNormal;
    explicit TKindForm(TEditorType Kind, const QString& Cell = QString()) : kind(Kind)
    {
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c == cKind) e = kind;
        };
        grid->SetCells(cKind, 2, Cell);
    }
    void Open()
    {
        GoTo(cKind, 2);
        F2();
        QCoreApplication::processEvents();
    }
    QString Cell() { return grid->Cells(cKind, 2); }
};

inline void Settle()
{
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// Day-month-year dates and 24-hour times, whatever the machine's locale.
inline TFormatSettings TestFormats(QChar Decimal = QLatin1Char(','), QChar Thousand = QLatin1Char('.'))
{
    TFormatSettings fs = FormatSettings();
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
    fs.ShortTimeFormat = QStringLiteral("hh:nn");
    fs.DecimalSeparator = Decimal;
    fs.ThousandSeparator = Thousand;
    return fs;
}
