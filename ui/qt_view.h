// The game's view over the window's widgets.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "recording_view.h"
#include "view.h"

namespace vurp::ui {

class QtView final : public View {
public:
    QtView();

    // Registers the next element of a control: the single control, or
    // elements 1, 2, ... of an array in turn.
    void Add(Control control, QWidget *widget);
    // The widget of a control (index 0) or array element; nullptr for an
    // index the control does not have.
    QWidget *Widget(Control control, int index) const;

    std::string Text(Control control, int index) const override;
    void SetText(Control control, int index, const std::string &text) override;
    bool Visible(Control control, int index) const override;
    void SetVisible(Control control, int index, bool visible) override;
    bool Enabled(Control control, int index) const override;
    void SetEnabled(Control control, int index, bool enabled) override;
    void SetPicture(Control control, int index, const std::string &name) override;
    void SetBackColor(Control control, int index, Colour colour) override;
    void SetForeColor(Control control, int index, Colour colour) override;

    void Tell(const GameEvent &event) override;
    // Who hears of the events: the window.
    void OnTell(std::function<void(const GameEvent &)> listener) {
        listener_ = std::move(listener);
    }

    // Shows a control exactly as `state` has it: colours the state has not
    // set go back to the table's.
    void Restore(Control control, int index, const ControlState &state);
    // What a control shows now, as Restore takes it.
    ControlState Shown(Control control, int index) const;

private:
    struct Element {
        QWidget *widget = nullptr;
        std::optional<Colour> back;
        std::optional<Colour> fore;
    };
    Element *Find(Control control, int index);
    const Element *Find(Control control, int index) const;

    std::vector<std::vector<Element>> widgets_;
    std::function<void(const GameEvent &)> listener_;
};

// 0x00BBGGRR: red in the low byte, blue in the high one.
QColor ToQColor(Colour colour);

} // namespace vurp::ui
