// The names of the vehicle classes, shared by the tax lines of the vehicle tax
// and the vehicle entries of the debits of the year, which must name the same
// items the same way.
#pragma once

#include <QString>
#include <QStringList>

namespace dajdor::reg {

// The line of input AUTO<n> of the vehicles page (1 ... 23 but 12 and 13):
// "Autoturisme cap.cil. 1201 - 1400 cmc", "Alte autovehicule", "Remorci, rulote ...".
QString carLineName(int n);
// The column of Pag5 that input AUTO<n> is stored in (AUTO18 ... AUTO23 in AUTO11 ... AUTO16).
QString carColumn(int n);

// The classes of the trucks and of the road-train combinations over 12 t
// ("Vehicule 2 axe,12-13t,"): class n is item n - 1.
const QStringList& truckClasses();
const QStringList& combinationClasses();
// Class name and suspension: "...susp.pneum." or "...fara susp.pneum.".
QString gridLineName(const QString& vehicleClass, bool pneumatic);

// The water vehicles of APA1 ... APA13, item n - 1 for APA<n>.
const QStringList& waterVehicles();

}  // namespace dajdor::reg
