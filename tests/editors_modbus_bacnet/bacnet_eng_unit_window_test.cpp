// The engineering-unit picker and its calling protocol.

#include "editors_modbus_bacnet/bacnet_eng_unit_window.h"

#include "editors_modbus_bacnet/bacnet_texts.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"

#include "support/modal_show.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class BACnetEngUnitWindow : public ::testing::Test {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&BACnet_Lang_Blocks);
    Init_Lang_Table();
    Form = std::make_unique<TFBACnet_Eng_Unit>();
    Form->DoCreate();
  }

  // Runs the protocol on Cell; act runs while the picker is open and its result closes it.
  bool Pick(QString& Cell, const std::function<int()>& act)
  {
    TModalScope scope([&](TCustomForm*) { return act(); });
    return Pick_Eng_Unit(Form.get(), Cell);
  }

  void Choose(const QString& category, const QString& unit)
  {
    Form->CB_Select_Type->SetItemIndex(Form->CB_Select_Type->Items()->IndexOf(category));
    Form->CB_Select_TypeSelect(nullptr);
    Form->CB_Select_Unit->SetItemIndex(Form->CB_Select_Unit->Items()->IndexOf(unit));
    Form->Btn_Select_Eng_Unit->Click();
  }

  std::unique_ptr<TFBACnet_Eng_Unit> Form;
};

}  // namespace

TEST_F(BACnetEngUnitWindow, SelectionsAndTheCallingProtocol)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Select the BACnet Engineering Unit"));
  EXPECT_EQ(Form->ClientWidth(), 548);
  EXPECT_EQ(Form->ClientHeight(), 306);
  EXPECT_EQ(Form->CB_Select_Type->Items()->Count(), 23);

  struct Case {
    const char* category;
    const char* unit;
    const char* cell;
    const char* label;
  };
  const Case cases[] = {
      {"Other", "per-mille", "207", "-> per-mille"},
      {"Velocity", "feet-per-meters", "77", "-> feet-per-meters"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    QString cell = QStringLiteral("5");
    EXPECT_TRUE(Pick(cell, [&] {
      Choose(QString::fromUtf8(c.category), QString::fromUtf8(c.unit));
      EXPECT_EQ(Form->Label5->Caption(), QString::fromUtf8(c.label));
      return int(mrOk);
    }));
    EXPECT_EQ(cell, QString::fromLatin1(c.cell));
  }

  // An empty cell shows "unknown" and OK gives the empty text back.
  QString cell;
  EXPECT_TRUE(Pick(cell, [&] {
    EXPECT_EQ(Form->E_Selected_EU->Text(), QString());
    EXPECT_EQ(Form->Label5->Caption(), QStringLiteral("-> unknown"));
    return int(mrOk);
  }));
  EXPECT_EQ(cell, QString());

  // Cancel after a selection keeps the cell.
  cell = QStringLiteral("62");
  EXPECT_FALSE(Pick(cell, [&] {
    EXPECT_EQ(Form->Label5->Caption(), QStringLiteral("-> degrees-Celsius"));
    Choose(QStringLiteral("Other"), QStringLiteral("per-mille"));
    return int(mrCancel);
  }));
  EXPECT_EQ(cell, QStringLiteral("62"));

  // Typed text goes back as typed; the unit name stays what it was.
  EXPECT_TRUE(Pick(cell, [&] {
    Form->E_Selected_EU->SetText(QStringLiteral("abc"));
    EXPECT_EQ(Form->Label5->Caption(), QStringLiteral("-> degrees-Celsius"));
    return int(mrOk);
  }));
  EXPECT_EQ(cell, QStringLiteral("abc"));
}

TEST_F(BACnetEngUnitWindow, CategorySurvivesReopeningWithItsFirstUnit)
{
  QString cell;
  Pick(cell, [&] {
    EXPECT_EQ(Form->CB_Select_Type->ItemIndex(), 0);  // "Acceleration" at start
    Choose(QStringLiteral("Velocity"), QStringLiteral("feet-per-meters"));
    return int(mrOk);
  });
  Pick(cell, [&] {
    EXPECT_EQ(Form->CB_Select_Type->Items()->Strings(Form->CB_Select_Type->ItemIndex()), QStringLiteral("Velocity"));
    EXPECT_EQ(Form->CB_Select_Unit->ItemIndex(), 0);
    EXPECT_EQ(Form->E_Selected_EU->Text(), QStringLiteral("77"));
    return int(mrCancel);
  });
}

TEST_F(BACnetEngUnitWindow, RendersToPng)
{
  QString cell = QStringLiteral("62");
  Pick(cell, [&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    EXPECT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/bacnet_eng_unit_window.png")));
    return int(mrCancel);
  });
}
