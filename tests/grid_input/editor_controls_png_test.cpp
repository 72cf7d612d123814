// Writes a picture of the stand-alone editor controls in their looks, for a person to look at.
#include "grid_input/ksg_edit_btn.h"
#include "grid_input/ksg_spin_edit.h"
#include "grid_input/kv_date_time_picker.h"

#include "platform/ui/forms.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

TEST(EditorControlsPicture, WritesThePng)
{
    TFormatSettingsScope locale(TFormatSettings{});
    TForm form;
    form.SetBounds(0, 0, 420, 170);
    form.SetColor(clWhite);
    int y = 8;
    auto place = [&](TWinControl* c, int x = 8) {
        c->SetParent(&form);
        c->SetBounds(x, y, 121, 22);
    };
    auto* plain = new TKsgSpinEdit(&form);
    place(plain);
    plain->SetValue(42);
    auto* coloured = new TKsgSpinEdit(&form);
    place(coloured, 140);
    coloured->Button()->ButtonColor = 0x00F0D0B0;
    coloured->Button()->ButtonColorHot = 0x00E0B080;
    coloured->Button()->ButtonColorDown = 0x00C09060;
    coloured->SetSpinType(sptFloat);
    coloured->SetPrecision(2);
    coloured->SetFloatValue(3.25);
    auto* themed = new TKsgSpinEdit(&form);
    place(themed, 272);
    themed->SetIsWinXP(true);
    themed->SetSpinType(sptTime);
    themed->SetTimeValue(EncodeTime(9, 5, 30, 0));
    y += 30;
    auto* horizontal = new TKsgSpinEdit(&form);
    place(horizontal);
    horizontal->SetDirection(spHorizontal);
    horizontal->SetEditAlign(eaRight);
    horizontal->SetSpinType(sptDate);
    horizontal->SetDateValue(EncodeDate(2024, 6, 15));
    auto* ellipsis = new TKsgEditBtn(&form);
    place(ellipsis, 140);
    ellipsis->SetButtonCaption(QStringLiteral("..."));
    ellipsis->SetText(QStringLiteral("C:\\data"));
    auto* unit = new TKsgUnitEditBtn(&form);
    place(unit, 272);
    unit->SetButtonCaption(QStringLiteral("..."));
    unit->Units()->AddStrings(QStringList{QStringLiteral("mm"), QStringLiteral("m")});
    unit->SetTextAndUnit(QStringLiteral("25mm"));
    y += 30;
    auto* colouredBtn = new TKsgEditBtn(&form);
    place(colouredBtn);
    colouredBtn->Button()->ButtonColor = 0x0080E0FF;
    colouredBtn->SetButtonCaption(QStringLiteral("..."));
    auto* themedBtn = new TKsgEditBtn(&form);
    place(themedBtn, 140);
    themedBtn->SetIsWinXP(true);
    themedBtn->SetButtonCaption(QStringLiteral("..."));
    auto* flatBtn = new TKsgEditBtn(&form);
    place(flatBtn, 272);
    flatBtn->Button()->SetFlat(true);
    flatBtn->SetButtonCaption(QStringLiteral("..."));
    y += 30;
    auto* dateFlat = new TKsgDateTimePicker(&form);
    place(dateFlat);
    dateFlat->SetFormat(QStringLiteral("dd/MM/yyyy"));
    dateFlat->SetDateTime(EncodeDate(2024, 6, 15));
    dateFlat->SetMetroStyle(true);
    dateFlat->SetBorderColor(0x00B99D7F);
    dateFlat->ButtonColor = 0x00F0D0B0;
    dateFlat->ButtonColorHot = 0x00E0B080;
    dateFlat->ButtonTextColor = clBlack;
    auto* datePlain = new TKsgDateTimePicker(&form);
    place(datePlain, 140);
    datePlain->SetFormat(QStringLiteral("dd/MM/yyyy"));
    datePlain->SetDateTime(EncodeDate(2024, 6, 15));
    auto* dateDisabled = new TKsgDateTimePicker(&form);
    place(dateDisabled, 272);
    dateDisabled->SetFormat(QStringLiteral("dd/MM/yyyy"));
    dateDisabled->SetDateTime(EncodeDate(2024, 6, 15));
    dateDisabled->SetMetroStyle(true);
    dateDisabled->SetEnabled(false);
    y += 30;
    auto* both = new TKvDateTimePicker(&form);
    both->SetParent(&form);
    both->SetBounds(60, y, 200, 22);
    both->SetFormat(QStringLiteral("dd/MM/yyyy"));
    both->SetTimeFormat(QStringLiteral("HH:mm:ss"));
    both->SetDateTime(EncodeDate(2024, 6, 15) + EncodeTime(9, 5, 30, 0));
    both->SetLabelPosition(lpLeftCenter);
    both->SetLabelCaption(QStringLiteral("When"));
    auto* bothFlat = new TKvDateTimePicker(&form);
    bothFlat->SetParent(&form);
    bothFlat->SetBounds(272, y, 140, 22);
    bothFlat->SetFormat(QStringLiteral("dd/MM/yy"));
    bothFlat->SetTimeFormat(QStringLiteral("HH:mm"));
    bothFlat->SetDateTime(EncodeDate(2024, 6, 15) + EncodeTime(9, 5, 0, 0));
    bothFlat->SetMetroStyle(true);
    bothFlat->SetBorderColor(0x00B99D7F);
    y += 30;
    form.Show();
    QApplication::processEvents();
    const QImage img = form.grab().toImage();
    const QString path = QDir(QStringLiteral(KV_TEST_BINARY_DIR)).filePath(QStringLiteral("grid_editor_controls.png"));
    ASSERT_TRUE(img.save(path));
    form.Hide();
}
