// What the program sets once for all its windows: its name, numbers written
// with '.', the hints, the Romanian standard texts and the program's style.
#pragma once

#include <QString>

class QApplication;

namespace dajdor {

// The name is given no display name of its own: Qt would append that to every
// window caption, and the captions are exactly what each window sets.
void setUpProgram(QApplication& app, const QString& name);

}  // namespace dajdor
