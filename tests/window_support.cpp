#include "window_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <optional>

#include "controls.h"
#include "json.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

std::optional<Colour> ColourOf(const QWidget *widget, QPalette::ColorRole role, bool set) {
    if (!set) {
        return std::nullopt;
    }
    const QColor c = widget->palette().color(role);
    return static_cast<Colour>(c.red() | c.green() << 8 | c.blue() << 16);
}

std::string Described(const ControlState &s) {
    const auto colour = [](const std::optional<Colour> &c) {
        return c ? std::to_string(*c) : std::string("none");
    };
    return std::string(s.visible ? "visible" : "hidden") + (s.enabled ? " enabled" : " disabled") +
           " text \"" + s.text + "\" picture \"" + s.picture + "\" back " + colour(s.back) +
           " fore " + colour(s.fore);
}

} // namespace

// A control as the window shows it, in the roles the window's view colours.
ControlState Shown(MainWindow &window, Control control, int index) {
    const View &view = window.game().view();
    QWidget *widget = window.control(control, index);
    ControlState state;
    state.visible = view.Visible(control, index);
    state.enabled = view.Enabled(control, index);
    state.text = view.Text(control, index);
    if (const auto *box = qobject_cast<CardBox *>(widget)) {
        state.picture = box->PictureName().toStdString();
    }
    auto back = QPalette::Base;
    auto fore = QPalette::Text;
    bool backSet = false;
    if (qobject_cast<QPushButton *>(widget) != nullptr) {
        back = QPalette::Button;
        fore = QPalette::ButtonText;
    } else if (qobject_cast<QLabel *>(widget) != nullptr) {
        back = QPalette::Window;
        fore = QPalette::WindowText;
        // The table's own colour reaches every label: only a label that
        // paints its background has one of its own.
        backSet = widget->autoFillBackground();
    }
    const QPalette &palette = widget->palette();
    backSet = backSet || (back != QPalette::Window && palette.isBrushSet(QPalette::Active, back));
    state.back = ColourOf(widget, back, backSet);
    state.fore = ColourOf(widget, fore, palette.isBrushSet(QPalette::Active, fore));
    return state;
}

// Every control and array element that the window shows otherwise than the
// driver records it, one line each: the window first, then the driver.
std::string Differences(MainWindow &window, const RecordingView &driver) {
    std::string differences;
    for (const auto &[control, i] : AllElements()) {
        const std::string shown = Described(Shown(window, control, i));
        const std::string recorded = Described(driver.State(control, i));
        if (shown != recorded) {
            differences += ElementName(control, i) + ": " + shown + " | " + recorded + "\n";
        }
    }
    return differences;
}

// The window-level variables, written as the driver writes them.
std::string TableOf(const Table &table) {
    static const RecordingView kDesign;
    return Snapshot(table, kDesign);
}

std::string Bytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(none)");
}

void WriteBytes(const QString &path, const std::string &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<QWidget *> PressableControls(MainWindow &window) {
    std::vector<QWidget *> pressable;
    for (const auto &[control, index] : GameControls()) {
        QWidget *widget = window.control(control, index);
        if (widget->isVisible() && widget->isEnabled()) {
            pressable.push_back(widget);
        }
    }
    return pressable;
}

} // namespace vurp::ui
