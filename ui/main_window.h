// The card table: the one window of the program, with its menu bar above the
// table.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "controls.h"
#include "focus.h"
#include "game.h"
#include "hint.h"
#include "journal.h"
#include "journal_file.h"
#include "pacing.h"
#include "qt_view.h"
#include "random.h"
#include "scaled_table.h"

class QActionGroup;
class QMenu;
class QMenuBar;

namespace vurp::ui {

class GameLog;
class StatusLine;
class Panels;

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    // Builds every control in its design state and runs Form_Load. The
    // random source decides the deals; it must outlive the window. The game
    // is written down in memory only until KeepJournal names a folder.
    explicit MainWindow(Random &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    Game &game() { return game_; }
    // The widget of a control (index 0) or array element; nullptr for an
    // index the control does not have.
    QWidget *control(Control control, int index = 0) const { return view_.Widget(control, index); }
    // The table under the menu bar, which holds every control.
    ScaledTable *table() const { return table_; }
    QMenuBar *menuBar() const { return menuBar_; }

    // Keeps the game in the journal in `folder`: the game written there goes
    // on where it stopped. With a seed, a new game starts instead, drawing
    // from the replay format's fallback generator at that state, and the game
    // that was there is kept among the finished games.
    void KeepJournal(const QString &folder, std::optional<std::uint64_t> seed = std::nullopt);
    // The game as written down so far: a script the replay driver plays.
    const std::string &Journal() const { return journal_->Text(); }
    QString JournalPath() const { return journal_->Path(); }

    // The menu's commands, without their dialogs.
    void StartNewGame();
    bool OpenGame(const QString &path);
    bool SaveGameAs(const QString &path);
    // Takes back the card last thrown away in the exchange, as long as
    // "Поменять" has not been pressed: the game as if it had stayed in the
    // hand, journal included. False when there is no such card.
    bool TakeBackCard();
    // The last message the player was shown, for the tests.
    QString LastNotice() const { return lastNotice_; }

    // The pause between two moves of the computer players, in milliseconds;
    // 0 ("сразу") shows them all at once, as the window starts.
    void SetPace(int milliseconds);
    int Pace() const { return pacer_->Pause(); }
    // Whether moves are still being shown one after another.
    bool Showing() const { return pacer_->Busy(); }
    // Shows at once whatever is still to be shown.
    void FinishShowing() { pacer_->Finish(); }
    StatusLine *statusLine() const { return status_; }
    GameLog *log() const { return log_; }
    // Opens or closes the log of the deal.
    void ToggleLog();
    // What the computer players would do in the player's place, and why:
    // the control gets the focus and a frame, the reason is its tooltip and
    // description. Asked again at the same step, the same hint.
    void ShowHint();
    // The hint shown, until the next action.
    const std::optional<Hint> &CurrentHint() const { return hint_; }

private:
    QWidget *MakeWidget(const ControlDesign &design);
    void Connect(QWidget *widget, const ControlDesign &design, int index);
    void BuildMenu();
    // Names, tab order and shortcuts for the keyboard and screen readers.
    void SetUpKeyboard();
    // A click, by mouse, keyboard or menu, written down once delivered.
    bool Deliver(Control control, int index = 0);
    // A click, then the focus to the control the player most likely presses
    // next.
    void Press(Control control, int index);
    void FocusLikelyNext(std::optional<ControlRef> pressed);
    // Everything the game told during an action, shown in steps: at once, or
    // with a pause before each move of a computer player.
    void Told(const GameEvent &event);
    void ShowWhatHappened();
    std::vector<ControlState> TableNow() const;
    void ShowStep(const ShownStep &step);
    void ShownAll();
    // The card that takes the trick so far, and its seat, stand out.
    void MarkTrick(const std::string &trickBest);
    void BuildPaceMenu(QMenu *menu);
    // While the player chooses among his cards, those he may not choose are
    // drawn dimmed, not only disabled.
    void DimUnplayableCards();
    // The arrow keys walk the enabled cards of the hand.
    void StepAmongCards(int fromBox, int step);
    // Shows a game read back, and goes on with its random numbers.
    void Restore(const ReplayedGame &replayed);
    // Writes the lines of an action; tells the player once when the game
    // stops being saved, and once when it is saved again.
    void Write(std::string_view lines);
    void ConfirmNewGame();
    void ChooseGameToOpen();
    void ChooseWhereToSave();
    void Notify(const QString &text);
    void ClearHint();

    QtView view_;
    JournalRandom random_;
    Game game_;
    std::unique_ptr<JournalFile> journal_;
    ScaledTable *table_ = nullptr;
    QMenuBar *menuBar_ = nullptr;
    Panels *panels_ = nullptr;
    // The controls are being set to a game read back: their signals are no
    // actions of the player.
    bool restoring_ = false;
    bool saveFailing_ = false;
    QString lastNotice_;
    StatusLine *status_ = nullptr;
    GameLog *log_ = nullptr;
    Pacer *pacer_ = nullptr;
    QActionGroup *paces_ = nullptr;
    // What the action under way told, and the table at each event while
    // the moves are paced.
    std::vector<GameEvent> told_;
    std::vector<ShownStep> atEvent_;
    ShownStep before_;
    // The control pressed, whose likely successor takes the focus once the
    // moves have been shown.
    std::optional<ControlRef> pressed_;
    bool focusWhenShown_ = false;
    // The control that had the keyboard when the log opened.
    QPointer<QWidget> beforeLog_;
    // The hint's own random numbers: asking for one never moves the game's.
    ClockRandom hintRandom_;
    std::optional<Hint> hint_;
    std::vector<QPointer<QWidget>> hinted_;
};

} // namespace vurp::ui
