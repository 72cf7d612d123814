// BACnet engineering unit names and the picker's categories.

#include "editors_modbus_bacnet/bacnet_eng_units.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(BacnetEngUnits, NamesFollowTheStandardWithTheProgramsOwnSpellings)
{
    const struct {
        int Unit;
        const char* Name;
    } cases[] = {
        {-1, "unknown"},        {237, "unknown"},         {65535, "unknown"},
        {0, "square-meters"},   {51, "housepower"},       {62, "degrees-Celsius"},
        {77, "feet-per-meters"}, {95, "no-units"},        {98, "percent"},
        {103, "radiants"},      {139, "megajoules-hours-per-square-meter"},
        {141, "watts-per-square-meter-degree-kelvin"},    {153, "newton"},
        {172, "ohm-meters"},    {185, "square-meters-per-Newton"}, {207, "per-mille"},
        {234, "pH"},            {236, "minutes-per-degree-kelvin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Desc_Unit(c.Unit), QString::fromLatin1(c.Name)) << c.Unit;
}

TEST(BacnetEngUnits, EveryUnitStandsInExactlyOneCategory)
{
    const auto& categories = Eng_Unit_Categories();
    ASSERT_EQ(categories.size(), 23u);
    EXPECT_EQ(Eng_Unit_Category_Names().first(), QStringLiteral("Acceleration"));
    EXPECT_EQ(Eng_Unit_Category_Names().last(), QStringLiteral("Other"));
    std::map<int, int> seen;
    size_t items = 0;
    for (const auto& c : categories) {
        items += c.Units.size();
        for (int u : c.Units)
            ++seen[u];
    }
    EXPECT_EQ(items, 237u);
    for (int u = 0; u < Eng_Unit_Count; ++u)
        EXPECT_EQ(seen[u], 1) << u;
}

TEST(BacnetEngUnits, ListItemsGiveTheirUnitNumbers)
{
    const QStringList names = Eng_Unit_Category_Names();
    const int velocity = int(names.indexOf(QStringLiteral("Velocity")));
    const int other = int(names.indexOf(QStringLiteral("Other")));
    const int electrical = int(names.indexOf(QStringLiteral("Electrical")));
    EXPECT_EQ(Eng_Unit_At(velocity, int(Eng_Unit_List_Items(velocity).indexOf(QStringLiteral("feet-per-meters")))), 77);
    EXPECT_EQ(Eng_Unit_At(other, int(Eng_Unit_List_Items(other).indexOf(QStringLiteral("per-mille")))), 207);
    // The list spells three units its own way.
    EXPECT_EQ(Eng_Unit_At(electrical, int(Eng_Unit_List_Items(electrical).indexOf(QStringLiteral("ohms-meters")))), 172);
    EXPECT_TRUE(Eng_Unit_List_Items(other).contains(QStringLiteral("megajoules-per-square-meter")));
    EXPECT_TRUE(Eng_Unit_List_Items(other).contains(QStringLiteral("megajoules-per-square-foot")));
    EXPECT_EQ(Eng_Unit_List_Items(0), QStringList{QStringLiteral("meters-per-second-per-second")});
    EXPECT_EQ(Eng_Unit_At(23, 0), -1);
    EXPECT_EQ(Eng_Unit_At(0, 1), -1);
    EXPECT_TRUE(Eng_Unit_List_Items(-1).isEmpty());
}

}  // namespace
