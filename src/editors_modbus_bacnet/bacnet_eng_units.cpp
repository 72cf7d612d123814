#include "editors_modbus_bacnet/bacnet_eng_units.h"

#include <array>

namespace {

// Unit names by number. Where the program's texts differ from the standard's identifiers
// (capitals in Celsius, Kelvin and Fahrenheit, a few spellings of its own) its texts stand,
// since projects and users know the units by them.
constexpr std::array<const char*, Eng_Unit_Count> Unit_Names = {
    "square-meters", "square-feet", "milliamperes", "amperes", "ohms",                                // 0
    "volts", "kilovolts", "megavolts", "volt-amperes", "kilovolt-amperes",                            // 5
    "megavolt-amperes", "volt-amperes-reactive", "kilovolt-amperes-reactive",                         // 10
    "megavolt-amperes-reactive", "degrees-phase",                                                     // 13
    "power-factor", "joules", "kilojoules", "watt-hours", "kilowatt-hours",                           // 15
    "btus", "therms", "ton-hours", "joules-per-kilogram-dry-air", "btus-per-pound-dry-air",           // 20
    "cycles-per-hour", "cycles-per-minute", "hertz", "grams-of-water-per-kilogram-dry-air",           // 25
    "percent-relative-humidity",                                                                      // 29
    "millimeters", "meters", "inches", "feet", "watts-per-square-foot",                               // 30
    "watts-per-square-meter", "lumens", "luxes", "foot-candles", "kilograms",                         // 35
    "pounds-mass", "tons", "kilograms-per-second", "kilograms-per-minute", "kilograms-per-hour",       // 40
    "pounds-mass-per-minute", "pounds-mass-per-hour", "watts", "kilowatts", "megawatts",              // 45
    "btus-per-hour", "housepower", "tons-refrigeration", "pascals", "kilopascals",                     // 50
    "bars", "pounds-force-per-square-inch", "centimeters-of-water", "inches-of-water",                // 55
    "millimeters-of-mercury",                                                                         // 59
    "centimeters-of-mercury", "inches-of-mercury", "degrees-Celsius", "degrees-Kelvin",               // 60
    "degrees-Fahrenheit",                                                                             // 64
    "degree-days-Celsius", "degree-days-Fahrenheit", "years", "months", "weeks",                      // 65
    "days", "hours", "minutes", "seconds", "meters-per-second",                                       // 70
    "kilometers-per-hour", "feet-per-second", "feet-per-meters", "miles-per-hour", "cubic-feet",      // 75
    "cubic-meters", "imperial-gallons", "liters", "us-gallons", "cubic-feet-per-minute",              // 80
    "cubic-meters-per-second", "imperial-gallons-per-minute", "liters-per-second",                    // 85
    "liters-per-minute", "us-gallons-per-minute",                                                     // 88
    "degrees-angular", "degrees-Celsius-per-hour", "degrees-Celsius-per-minute",                      // 90
    "degrees-Fahrenheit-per-hour", "degrees-Fahrenheit-per-minute",                                   // 93
    "no-units", "parts-per-million", "parts-per-billion", "percent", "percent-per-second",            // 95
    "per-minute", "per-second", "psi-per-degree-Fahrenheit", "radiants", "revolutions-per-minute",    // 100
    "currency1", "currency2", "currency3", "currency4", "currency5",                                  // 105
    "currency6", "currency7", "currency8", "currency9", "currency10",                                 // 110
    "square-inches", "square-centimeters", "btus-per-pound", "centimeters", "pounds-mass-per-second",  // 115
    "delta-degrees-Fahrenheit", "delta-degrees-Kelvin", "kilohms", "megohms", "millivolts",           // 120
    "kilojoules-per-kilogram", "megajoules", "joules-per-degree-Kelvin",                              // 125
    "btus-per-kilogram-degree-Kelvin", "kilohertz",                                                   // 128
    "megahertz", "per-hour", "milliwatts", "hectopascals", "millibars",                               // 130
    "cubic-meters-per-hour", "liters-per-hour", "kilowatt-hours-per-square-meter",                    // 135
    "kilowatt-hours-per-square-foot", "megajoules-hours-per-square-meter",                            // 138
    "megajoules-hours-per-square-foot", "watts-per-square-meter-degree-kelvin",                       // 140
    "cubic-feet-per-second", "percent-obscuration-per-foot", "percent-obscuration-per-meter",         // 142
    "milliohms", "megawatt-hours", "kilo-btus", "mega-btus", "kilojoules-per-kilogram-dry-air",       // 145
    "megajoules-per-kilogram-dry-air", "kilojoules-per-degree-Kelvin", "megajoules-per-degree-Kelvin",  // 150
    "newton", "grams-per-second",                                                                     // 153
    "grams-per-minute", "tons-per-hour", "kilo-btus-per-hour", "hundredths-seconds", "milliseconds",  // 155
    "newton-meters", "millimeters-per-second", "millimeters-per-minute", "meters-per-minute",         // 160
    "meters-per-hour",                                                                                // 164
    "cubic-meters-per-minute", "meters-per-second-per-second", "amperes-per-meter",                   // 165
    "amperes-per-square-meter", "ampere-square-meters",                                               // 168
    "farads", "henrys", "ohm-meters", "siemens", "siemens-per-meter",                                 // 170
    "teslas", "volts-per-degree-Kelvin", "volts-per-meter", "webers", "candelas",                     // 175
    "candelas-per-square-meter", "degrees-Kelvin-per-hour", "degrees-Kelvin-per-minute",              // 180
    "joule-seconds", "radians-per-second",                                                            // 183
    "square-meters-per-Newton", "kilograms-per-cubic-meter", "newton-seconds", "newtons-per-meter",   // 185
    "watts-per-meter-per-degree-Kelvin",                                                              // 189
    "microsiemens", "cubic-feet-per-hour", "us-gallons-per-hour", "kilometers", "micrometers",        // 190
    "grams", "milligrams", "milliliters", "milliliters-per-second", "decibels",                       // 195
    "decibels-millivolt", "decibels-volt", "millisiemens", "watt-hours-reactive",                     // 200
    "kilowatt-hours-reactive",                                                                        // 204
    "megawatt-hours-reactive", "millimeters-of-water", "per-mille", "grams-per-gram",                 // 205
    "kilograms-per-kilogram",                                                                         // 209
    "grams-per-kilogram", "milligrams-per-gram", "milligrams-per-kilogram", "grams-per-milliliter",   // 210
    "grams-per-liter",                                                                                // 214
    "milligrams-per-liter", "micrograms-per-liter", "grams-per-cubic-meter",                          // 215
    "milligrams-per-cubic-meter", "micrograms-per-cubic-meter",                                       // 218
    "nanograms-per-cubic-meter", "grams-per-cubic-centimeter", "becquerels", "kilobecquerels",        // 220
    "megabecquerels",                                                                                 // 224
    "gray", "milligray", "microgray", "sieverts", "millisieverts",                                    // 225
    "microsieverts", "microsieverts-per-hour", "decibels-a", "nephelometric-turbidity-unit", "pH",    // 230
    "grams-per-square-meter", "minutes-per-degree-kelvin",                                            // 235
};

std::vector<int> Range(int first, int last)
{
  std::vector<int> units;
  for (int u = first; u <= last; ++u)
    units.push_back(u);
  return units;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

QString Desc_Unit(int Num_Unit)
{
  if (Num_Unit < 0 || Num_Unit >= Eng_Unit_Count)
    return QStringLiteral("unknown");
  return QString::fromLatin1(Unit_Names[static_cast<size_t>(Num_Unit)]);
}

const std::vector<TEng_Unit_Category>& Eng_Unit_Categories()
{
  static const std::vector<TEng_Unit_Category> categories = {
      {"Acceleration", {166}},
      {"Area", {0, 116, 1, 115}},
      {"Currency", Range(105, 114)},
      {"Electrical", {2, 3, 167, 168, 169, 199, 200, 201, 170, 171, 4, 172, 145, 122, 123, 190, 202, 173,
                      174, 175, 5, 124, 6, 7, 8, 9, 10, 11, 12, 13, 176, 177, 14, 15, 178}},
      {"Energy", {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22}},
      {"Enthalpy", {23, 149, 150, 24, 117}},
      {"Entropy", {127, 151, 152, 128}},
      {"Force", {153}},
      {"Frequency", {25, 26, 27, 129, 130, 131}},
      {"Humidity", {28, 29}},
      {"Length", {194, 30, 118, 193, 31, 32, 33}},
      {"Light", {179, 180, 34, 35, 36, 37, 38}},
      {"Mass", {196, 195, 39, 40, 41}},
      {"Mass Flow", {154, 155, 42, 43, 44, 119, 45, 46, 156}},
      {"Power", {132, 47, 48, 49, 50, 157, 51, 52}},
      {"Pressure", {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61}},
      {"Temperature", {62, 63, 181, 182, 64, 65, 66, 120, 121}},
      {"Time", {67, 68, 69, 70, 71, 72, 73, 158, 159}},
      {"Torque", {160}},
      {"Velocity", {161, 162, 74, 163, 164, 75, 76, 77, 78}},
      {"Volume", {79, 80, 81, 197, 82, 83}},
      {"Volumetric Flow", {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192}},
      {"Other", Join({90, 91, 92, 93, 94, 183, 186, 137, 138, 139, 140, 95, 187, 188, 96, 97, 98, 143, 144,
                      99, 100, 101, 102, 103, 184, 104, 185, 189, 141},
                     Range(207, 236))},
  };
  return categories;
}

QStringList Eng_Unit_Category_Names()
{
  QStringList names;
  for (const TEng_Unit_Category& c : Eng_Unit_Categories())
    names << QString::fromLatin1(c.Name);
  return names;
}

QString Eng_Unit_List_Text(int Num_Unit)
{
  switch (Num_Unit) {
  case 139:
    return QStringLiteral("megajoules-per-square-meter");
  case 140:
    return QStringLiteral("megajoules-per-square-foot");
  case 172:
    return QStringLiteral("ohms-meters");
  default:
    return Desc_Unit(Num_Unit);
  }
}

QStringList Eng_Unit_List_Items(int category)
{
  QStringList items;
  const std::vector<TEng_Unit_Category>& all = Eng_Unit_Categories();
  if (category < 0 || category >= static_cast<int>(all.size()))
    return items;
  for (int unit : all[static_cast<size_t>(category)].Units)
    items << Eng_Unit_List_Text(unit);
  return items;
}

int Eng_Unit_At(int category, int item)
{
  const std::vector<TEng_Unit_Category>& all = Eng_Unit_Categories();
  if (category < 0 || category >= static_cast<int>(all.size()))
    return -1;
  const std::vector<int>& units = all[static_cast<size_t>(category)].Units;
  if (item < 0 || item >= static_cast<int>(units.size()))
    return -1;
  return units[static_cast<size_t>(item)];
}
