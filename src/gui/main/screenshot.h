#pragma once

#include <QString>

class QWidget;

namespace lumadex {

// Grabs the widget as it is drawn now and writes it as a PNG to filePath, creating the folder.
// True only when the file was written and the picture shows more than one colour: a blank
// grab (a widget that never painted) is written for inspection but reported as false.
bool SaveScreenshot(QWidget& widget, const QString& filePath);

} // namespace lumadex
