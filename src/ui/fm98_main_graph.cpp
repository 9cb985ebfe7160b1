// Wiring of the main window's graph feature: its menu items, tool-bar button and windows.
#include "analysis/share_graph.h"
#include "fm98_grph.h"
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallGraphFeature() {
  connect(ToolButton(3), &QToolButton::clicked, this, [this] { ShowGraphs(); });
}

void Fm98Main::ShowGraphs() {
  // A window closed for a new race waits for its deletion; only a shown one is reused.
  Fm98Grph* g = nullptr;
  for (Fm98Grph* w : findChildren<Fm98Grph*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isVisible()) g = w;
  }
  if (!g) g = new Fm98Grph(s_, port_, this);
  ShowShareGraphs(s_);
  g->Render();
  g->show();
  g->raise();
}

}  // namespace tz::ui
