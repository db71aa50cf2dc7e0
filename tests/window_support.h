// What the window tests compare: every control as the real window shows it,
// against the driver's recording view.
#pragma once

#include <string>
#include <vector>

#include "main_window.h"
#include "recording_view.h"
#include "table.h"

namespace vurp::ui {

// A control as the window shows it, in the roles the window's view colours.
ControlState Shown(MainWindow &window, Control control, int index);

// Every control and array element that the window shows otherwise than the
// driver records it, one line each: the window first, then the driver.
std::string Differences(MainWindow &window, const RecordingView &driver);

// The window-level variables, written as the driver writes them.
std::string TableOf(const Table &table);

// A file's bytes, "(none)" when it cannot be read; and a file written whole.
std::string Bytes(const QString &path);
void WriteBytes(const QString &path, const std::string &bytes);

// The controls of the game a player can press now: on view and enabled.
std::vector<QWidget *> PressableControls(MainWindow &window);

// The player whom the kill test kills: plays the game in `folder` by random
// clicks as fast as it can, after saying "playing" on standard output.
int PlayUntilKilled(const QString &folder, unsigned seed);

} // namespace vurp::ui
