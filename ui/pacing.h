// The computer players' moves shown one after another. The game has already
// made them all when the window starts showing them: the pacer only holds
// back what the controls show, a pause between one move and the next.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "events.h"
#include "recording_view.h"

class QWidget;

namespace vurp::ui {

// What the table shows at one step: every element's state in the order of
// AllElements() (empty: as the controls stand), the trick's best card and
// seat then, and the events told by the time it stands so.
struct ShownStep {
    std::vector<ControlState> states;
    std::string trickBest;
    std::vector<GameEvent> events;
};

class Pacer final : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const ShownStep &)>;
    // `show` puts a step on the table; `done` follows the last step. Input
    // to `window` during a pause finishes the showing first.
    Pacer(QWidget *window, Show show, std::function<void()> done);
    ~Pacer() override;

    // The pause between moves in milliseconds; 0 shows every step at once.
    void SetPause(int milliseconds) { pause_ = milliseconds; }
    int Pause() const { return pause_; }

    // Shows the first step now and each next one a pause later.
    void Start(std::vector<ShownStep> steps);
    // Shows what is left at once: the last step's table, with every event
    // of the steps skipped.
    void Finish();
    bool Busy() const { return next_ < steps_.size(); }

protected:
    // A click or a key during a pause finishes the showing, and then goes
    // where the player aimed it: to the control under the mouse, or the one
    // that had the keyboard focus, never to one that was out of sight.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowNext();

    QWidget *window_;
    Show show_;
    std::function<void()> done_;
    int pause_ = 0;
    std::vector<ShownStep> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
    // The widget a key was aimed at when it finished the showing: the key
    // reaches no other.
    QPointer<QObject> keyAimedAt_;
    bool keyPending_ = false;
};

} // namespace vurp::ui
