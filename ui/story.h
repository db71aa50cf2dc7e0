// What happened, told: the status line below the table, which screen readers
// hear without it taking the focus, and the log of the deal ("Ход игры").
#pragma once

#include <QListWidget>

#include "events.h"

namespace vurp::ui {

// One line, the latest event. Each new sentence is announced to screen
// readers as a notification; the line never takes the focus.
class StatusLine final : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget *parent = nullptr);
    // Shows the sentence and has it read out.
    void Say(const QString &sentence);
    // Shows the sentence quietly: a game read back.
    void setText(const QString &sentence);
    QString text() const { return text_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // Painted by hand: a label would lay the window out anew for every
    // sentence, which a click cannot afford.
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
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

signals:
    // An event was added, or the log started again, shown or not.
    void Told();

protected:
    // A hidden log keeps only the events; their lines are made when it shows.
    void showEvent(QShowEvent *event) override;

private:
    void Fill();

    DealStory story_;
    bool stale_ = false;
};

} // namespace vurp::ui
