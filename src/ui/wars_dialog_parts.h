// What the two forum-log conversion dialogs share: the framed path label.
#pragma once

#include <QLabel>
#include <string>


namespace tz::ui {

// A framed label showing a folder or file name.
QLabel* ConversionPathLabel(const std::string& text, const char* name, QWidget* parent);

}  // namespace tz::ui
