// What the program remembers between runs (the pace of the computer players'
// moves, the window's size): ~/.config/vurp/vurp.ini. Tests never open it.
#pragma once

#include <QSettings>

#include <memory>

namespace vurp::ui {

std::unique_ptr<QSettings> OpenSettings();

} // namespace vurp::ui
