// The program icon from the resources, in all its sizes.
#pragma once

#include <QIcon>

namespace tz::ui {

QIcon ProgramIcon();

}  // namespace tz::ui
