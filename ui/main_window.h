// The card table: the one window of the program.
#pragma once

#include <QWidget>

#include "controls.h"
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

    QtView view_;
    Game game_;
};

} // namespace vurp::ui
