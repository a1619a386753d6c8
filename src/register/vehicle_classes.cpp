#include "register/vehicle_classes.h"

#include <QHash>

namespace dajdor::reg {
namespace {

// The caption of each car and trailer class on the vehicles page, which names its line.
QString vehicleClass(int n) {
  static const QHash<int, QString> captions = {
      {1, "1201 - 1400 cmc"},  {2, "1401 - 1600 cmc"},  {3, "1601 - 1800 cmc"},
      {4, "1801 - 2000 cmc"},  {5, "2001 - 2200 cmc"},  {6, "2201 - 2400 cmc"},
      {7, "2401 - 2600 cmc"},  {8, "2601 - 2800 cmc"},  {9, "2801 - 3000 cmc"},
      {10, "peste 3000 cmc: Cap.(cmc)"},
      {14, "pana la 1 tona inclusiv"}, {15, "peste 1 tona - pana la 3 tone"},
      {16, "peste 3 tone - pana la 5 tone"}, {17, "peste 5 tone"},
      {18, "1001 - 1200 cmc"}, {19, "801 - 1000 cmc"},   {20, "601 - 800 cmc"},
      {21, "401 - 600 cmc"},   {22, "201 - 400 cmc"},    {23, "pana la 200 cmc"}};
  return captions.value(n);
}

}  // namespace

QString carLineName(int n) {
  if (n == 11) return QStringLiteral("Alte autovehicule");
  if (n >= 14 && n <= 17) return "Remorci, rulote " + vehicleClass(n);
  return "Autoturisme cap.cil. " + vehicleClass(n);
}

QString carColumn(int n) {
  if (n == 11) return QStringLiteral("ALTE");
  if (n >= 14 && n <= 17) return QStringLiteral("REM%1").arg(n - 13);
  return QStringLiteral("AUTO%1").arg(n >= 18 ? n - 7 : n);
}

const QStringList& truckClasses() {
  static const QStringList classes = {
      "Vehicule 2 axe,12-13t,",    "Vehicule 2 axe,13-14t,",   "Vehicule 2 axe,14-15t,",
      "Vehicule 2 axe,peste 15t,", "Vehicule 3 axe,15-17t,",   "Vehicule 3 axe,17-19t,",
      "Vehicule 3 axe,19-21t,",    "Vehicule 3 axe,21-23t,",   "Vehicule 3 axe,23-25t,",
      "Vehicule 3 axe,peste 25t,", "Vehicule 4 axe,23-25t,",   "Vehicule 4 axe,25-27t,",
      "Vehicule 4 axe,27-29t,",    "Vehicule 4 axe,29-31t,",   "Vehicule 4 axe,peste 31t,"};
  return classes;
}

const QStringList& combinationClasses() {
  static const QStringList classes = {
      "Vehicule 2+1 axe,12-14t,",    "Vehicule 2+1 axe,14-16t,",    "Vehicule 2+1 axe,16-18t,",
      "Vehicule 2+1 axe,18-20t,",    "Vehicule 2+1 axe,20-22t,",    "Vehicule 2+1 axe,22-23t,",
      "Vehicule 2+1 axe,23-25t,",    "Vehicule 2+1 axe,peste 25t,", "Vehicule 2+2 axe,23-25t,",
      "Vehicule 2+2 axe,25-26t,",    "Vehicule 2+2 axe,26-28t,",    "Vehicule 2+2 axe,28-29t,",
      "Vehicule 2+2 axe,29-31t,",    "Vehicule 2+2 axe,31-33t,",    "Vehicule 2+2 axe,33-36t,",
      "Vehicule 2+2 axe,peste 36t,", "Vehicule 2+3 axe,36-38t,",    "Vehicule 2+3 axe,peste 38t,",
      "Vehicule 3+2 axe,36-38t,",    "Vehicule 3+2 axe,38-40t,",    "Vehicule 3+2 axe,peste 40t,",
      "Vehicule 3+3 axe,36-38t,",    "Vehicule 3+3 axe,38-40t,",    "Vehicule 3+3 axe,peste 40t,"};
  return classes;
}

QString gridLineName(const QString& vehicleClass, bool pneumatic) {
  return vehicleClass + (pneumatic ? "" : "fara ") + "susp.pneum.";
}

const QStringList& waterVehicles() {
  static const QStringList vehicles = {"Luntre,barca,scuter,uz personal", "Barca fara motor",
                                       "Barca cu motor",                  "Nave de sport si agrement",
                                       "Scutere de apa",                  "Remorcher pana la 500CP",
                                       "Remorcher pana la 2000CP",        "Remorcher pana la 4000CP",
                                       "Remorcher peste 4000CP",          "Vapoare",
                                       "Ceam,slep,barja pana la 1500to",  "Ceam,slep,barja 1500-3000to",
                                       "Ceam,slep,barja peste 3000to"};
  return vehicles;
}

}  // namespace dajdor::reg
