// The valuation screens are reached from the rise/fall screen; when one of
// them is first created it puts the rise/fall screen, hidden at that moment,
// back where the main screen stands, so that going back shows it there.
#pragma once

#include "shell/app.h"

namespace hc {

inline void PutRiseFallWhereMainStands(App& app) {
  Screen& main = app.Get("Form1");
  app.Get("Form2").SetPosition(main.top(), main.left());
}

}  // namespace hc
