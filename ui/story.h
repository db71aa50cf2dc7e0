// What happened, told: the status line below the table, which screen readers
// hear without it taking the focus, and the log of the deal ("Ход игры").
#pragma once

#include <QLabel>
#include <QListWidget>

#include "events.h"

namespace vurp::ui {

// One line, the latest event. Each new sentence is announced to screen
// readers as a notification; the line never takes the focus.
class StatusLine final : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget *parent = nullptr);
    // Shows the sentence and has it read out.
    void Say(const QString &sentence);
};

// The events of the deal under way, and the settlement of the one before,
// one line each; a panel over the table.
class GameLog final : public QListWidget {
    Q_OBJECT
public:
    explicit GameLog(QWidget *parent = nullptr);
    void Add(const GameEvent &event);
    // Starts again from the events of a game read back.
    void Reset(const std::vector<GameEvent> &events);

private:
    void Fill();

    DealStory story_;
};

} // namespace vurp::ui
