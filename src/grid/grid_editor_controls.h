#pragma once
// The editor controls the grid creates at run time as hidden children: the
// combo editor, the transparent edit and combo, the check box, the edit with
// a button and its unit variant, the cell button and the controls of HTML
// forms in cells. They carry what the grid sets on creation; their editing
// behaviour comes with the grid's in-place editing.

#include <QString>
#include <functional>

#include "grid_input/ksg_combo.h"
#include "platform/ui/stdctrls.h"

class TGridCombo : public TComboBox {
public:
    explicit TGridCombo(TComponent* AOwner) : TComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridCombo"); }
    bool IsWinXP = false;
    bool IsVistaComCtl6 = false;
};

class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TComponent* AOwner) : TEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridTransEdit"); }
};

class TGridTransCombo : public TComboBox {
public:
    explicit TGridTransCombo(TComponent* AOwner) : TComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridTransCombo"); }
};

class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridCheckBox"); }
};

class TGridEditBtn : public TEdit {
public:
    explicit TGridEditBtn(TComponent* AOwner) : TEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridEditBtn"); }
    QString ButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const QString& Value) { FButtonCaption = Value; }
    bool IsWinXP = false;

private:
    QString FButtonCaption;
};

class TGridUnitEditBtn : public TGridEditBtn {
public:
    explicit TGridUnitEditBtn(TComponent* AOwner) : TGridEditBtn(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridUnitEditBtn"); }
    std::function<void(TObject* Sender, const QString& NewUnit)> OnUnitChanged;
};

class TGridButton : public TButton {
public:
    explicit TGridButton(TComponent* AOwner) : TButton(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridButton"); }
};

class TControlEdit : public TEdit {
public:
    explicit TControlEdit(TComponent* AOwner) : TEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlEdit"); }
};

// The combo shown over a COMBO control of a cell's HTML form.
class TControlCombo : public TKsgComboBox {
public:
    explicit TControlCombo(TComponent* AOwner) : TKsgComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlCombo"); }
};
