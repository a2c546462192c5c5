#pragma once

class QWidget;

namespace zephyra {

// The modal "About Zephyra Explorer" box: icon, version line and OK.
void ShowAboutBox(QWidget* parent);

} // namespace zephyra
