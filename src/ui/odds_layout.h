// Turns the main-window model into the cells of the odds area: column panels, gap markers,
// change indicators, the quinella and wide matrices with their headers and bracket labels.
#pragma once

#include <QFontMetrics>
#include <QSize>
#include <vector>

#include "analysis/main_window_model.h"
#include "odds_area.h"

namespace tz::ui {

// Colour of a selected matrix header label (unselected ones are transparent).
inline constexpr Colour kSelectedHeader = 0x00FFFF;  // yellow

std::vector<PaintCell> LayoutOdds(const MainWindowModel& mw, const QFontMetrics& fm, int rowHeight,
                                  QSize* size);

}  // namespace tz::ui
