// Qt's own texts (the buttons of the message boxes, the fields' context
// menu) in Simplified Chinese, like every other text of the program.
#pragma once

namespace hc::qt {

// Loads Qt's Simplified Chinese translations into the application; returns
// whether they were found. Without them the program runs with Qt's English.
bool InstallTranslations();

}  // namespace hc::qt
