// "Статистика": every seat's money deal by deal in the game under way, drawn
// as a chart and written out in a table, and the player's counts for this
// game and for all games played on this computer.
//
// It is a window of its own over the table rather than a panel inside it:
// the table has no room for a readable chart and two tables, Tab stays
// inside a dialog without leading into the hidden controls beneath, a
// screen reader announces it by its title, and the game can go on beside it
// while the chart follows each deal.
#pragma once

#include <QDialog>

#include <vector>

#include "statistics.h"
#include "statistics_file.h"

class QLabel;
class QTableWidget;

namespace vurp::ui {

class MainWindow;

// The three seats' balances over the deals, drawn with QPainter: a line for
// each seat in a colour and a dash of its own, a legend with the seats'
// names, and both axes labelled.
class BalanceChart final : public QWidget {
    Q_OBJECT
public:
    explicit BalanceChart(QWidget *parent = nullptr);
    // The balances at the start and after each deal; `lastUnderWay` when the
    // last point is a deal still being played.
    void SetSeries(const std::vector<Balances> &series, bool lastUnderWay);
    const std::vector<Balances> &Series() const { return series_; }

    QSize sizeHint() const override { return {480, 300}; }
    QSize minimumSizeHint() const override { return {320, 200}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // The frame of the focus comes and goes.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::vector<Balances> series_;
    bool lastUnderWay_ = false;
};

class StatisticsPanel final : public QDialog {
    Q_OBJECT
public:
    // The panel of `window`, made the first time: shown, read up to date and
    // holding the keyboard focus.
    static StatisticsPanel *Open(MainWindow &window);

    explicit StatisticsPanel(MainWindow &window);

    // Reads what changed since: the game under way, and the finished games
    // too when `finishedToo` or when the game under way is another game.
    void Refresh(bool finishedToo);

    BalanceChart *chart() const { return chart_; }
    QTableWidget *money() const { return money_; }
    QTableWidget *counts() const { return counts_; }
    QLabel *note() const { return note_; }
    const FinishedGames &Finished() const { return finished_; }
    Tally ThisGame() const { return current_.Statistics().Counts(); }

protected:
    // The keyboard goes back to the table, to where it was.
    void hideEvent(QHideEvent *event) override;

private:
    // Once the window has shown all the moves of the action: the chart does
    // not tell how a deal ends before the table does.
    void RefreshSoon();
    void ShowMoney();
    void ShowCounts();

    MainWindow &window_;
    JournalStatistics current_;
    FinishedGames finished_;
    BalanceChart *chart_ = nullptr;
    QTableWidget *money_ = nullptr;
    QTableWidget *counts_ = nullptr;
    QLabel *note_ = nullptr;
    bool refreshDue_ = false;
};

} // namespace vurp::ui
