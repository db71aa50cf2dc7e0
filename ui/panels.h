// The rules and About panels as the player meets them: an open panel holds
// the keyboard and lies over a shaded table that answers to nothing but the
// two panels' buttons. Tab and Shift+Tab go round the open panels and the
// buttons that close them; the keys scroll a panel; Escape or its button
// closes it, and once none is open the focus goes back to the control that
// had it, or, when that one can no longer be pressed, to the control most
// likely pressed next. The game goes on underneath and never learns of any of
// this: a panel is only shown or hidden by its button's click, as the game
// has it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "panel_stack.h"
#include "qt_view.h"
#include "view.h"

namespace vurp::ui {

class Panels final : public QObject {
    Q_OBJECT
public:
    // Watches the two panels among the table's controls in `view`.
    explicit Panels(QtView &view, QObject *parent = nullptr);

    bool AnyOpen() const;
    // Whether a click on the control waits until the panels are closed:
    // everything but the two panels' buttons, which open and close them
    // each on its own, as ever.
    bool Blocks(Control control) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Open(const TablePanel &panel) const { return view_.Visible(panel.text, 0); }
    QWidget *Widget(Control control) const { return view_.Widget(control, 0); }
    // The panels that are open and their buttons, in the order Tab visits them.
    std::vector<QWidget *> Ring() const;
    void Opened(QWidget *panel);
    void Closed();
    void KeepFocusInside(QWidget *now);
    // The shade over the table, the open panels over the shade.
    void StackOnTop();
    // The focus frame shows on a panel while it has the keyboard.
    void ShowFocusRing();
    // The shade lies over the table but leaves the open panels and the two
    // buttons uncovered.
    void UpdateShade();

    QtView &view_;
    // What holds the controls: the panels' parent.
    QWidget *table_;
    QWidget *shade_;
    QWidget *ring_;
    // The control that had the keyboard before the first panel opened.
    QPointer<QWidget> returnTo_;
};

} // namespace vurp::ui
