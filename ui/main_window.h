// The card table: the one window of the program.
#pragma once

#include <QWidget>

#include <optional>

#include "controls.h"
#include "focus.h"
#include "game.h"
#include "qt_view.h"
#include "random.h"

namespace vurp::ui {

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    // Builds every control in its design state and runs Form_Load. The
    // random source decides the deals; it must outlive the window.
    explicit MainWindow(Random &random, QWidget *parent = nullptr);

    Game &game() { return game_; }
    // The widget of a control (index 0) or array element; nullptr for an
    // index the control does not have.
    QWidget *control(Control control, int index = 0) const { return view_.Widget(control, index); }

private:
    QWidget *MakeWidget(const ControlDesign &design);
    void Connect(QWidget *widget, const ControlDesign &design, int index);
    // Names, tab order and shortcuts for the keyboard and screen readers.
    void SetUpKeyboard();
    // A click, by mouse or keyboard, then the focus to the control the player
    // most likely presses next.
    void Press(Control control, int index);
    void FocusLikelyNext(std::optional<ControlRef> pressed);
    // The arrow keys walk the enabled cards of the hand.
    void StepAmongCards(int fromBox, int step);

    QtView view_;
    Game game_;
};

} // namespace vurp::ui
