#include "main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "accessibility.h"
#include "card_pictures.h"
#include "cards.h"
#include "event_sentences.h"
#include "focus.h"
#include "fonts.h"
#include "layout.h"
#include "panel_stack.h"
#include "panels.h"
#include "scaled_table.h"
#include "screen_reader.h"
#include "settings.h"
#include "statistics_panel.h"
#include "story.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

QFont ToQFont(const Font &own, const QFont &base) {
    QFont font = base;
    // Only a family the system has: asking for a missing one sends Qt through
    // every fallback it knows, a tenth of the start-up.
    for (const std::string &name : own.families) {
        const QString family = QString::fromStdString(name);
        if (!QFontDatabase::styles(family).isEmpty()) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(own.pointSize);
    font.setBold(own.bold);
    return font;
}

Qt::Alignment ToQt(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return Qt::AlignLeft;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

} // namespace

MainWindow::MainWindow(Random &random, QWidget *parent)
    : QWidget(parent), random_(random), game_(view_, random_),
      journal_(std::make_unique<JournalFile>(QString())) {
    // Before any widget exists: a screen reader may ask about each at once.
    InstallAccessibility();
    setWindowTitle(QStringLiteral("Вурп"));
    setWindowIcon(WindowIcon());
    // The menu bar above, the table below it, scaled to the rest of the
    // window.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu();
    layout->setMenuBar(menuBar_);
    table_ = new ScaledTable(this);
    layout->addWidget(table_);
    QFont base = font();
    base.setPointSize(kTablePointSize);
    table_->setFont(base);
    QPalette tableColours = table_->palette();
    tableColours.setColor(QPalette::Window, ToQColor(kWindowColour));
    table_->setPalette(tableColours);
    table_->setAutoFillBackground(true);
    status_ = new StatusLine(this);
    // A long sentence is cut at the window's edge rather than widen the window.
    status_->setSizePolicy(QSizePolicy::Ignored, status_->sizePolicy().verticalPolicy());
    layout->addWidget(status_);
    view_.OnTell([this](const GameEvent &event) { Told(event); });
    pacer_ = new Pacer(
        this, [this](const ShownStep &step) { ShowStep(step); }, [this] { ShownAll(); });

    for (const ControlDesign &design : ControlDesigns()) {
        const int elements = design.count == 0 ? 1 : design.count;
        for (int e = 0; e < elements; ++e) {
            const int index = design.count == 0 ? 0 : e + 1;
            QWidget *widget = MakeWidget(design);
            if (const auto own = OwnFont(design.id)) {
                widget->setFont(ToQFont(*own, table_->font()));
            }
            table_->Place(widget, Placement(design.id, index));
            view_.Add(design.id, widget);
            const auto element = static_cast<std::size_t>(e);
            view_.SetText(design.id, index,
                          element < design.texts.size() ? design.texts[element] : std::string());
            if (design.back) {
                view_.SetBackColor(design.id, index, *design.back);
            }
            if (design.fore) {
                view_.SetForeColor(design.id, index, *design.fore);
            }
            widget->setEnabled(design.enabled);
            widget->setVisible(design.visible);
            Connect(widget, design, index);
        }
    }
    // The panels open over the table. Talk2 and Hod share their places but are
    // never shown together, so their order does not matter.
    for (const TablePanel &panel : PanelStack()) {
        control(panel.text)->raise();
    }
    // The log of the deal opens where the rules do.
    log_ = new GameLog(table_);
    table_->Place(log_, Placement(Control::TextPravila, 0));
    log_->hide();
    panels_ = new Panels(view_, this);

    SetUpKeyboard();
    game_.Form_Load();
    journal_->Restart(JournalHeader(), false);
    DimUnplayableCards();
    FocusLikelyNext(std::nullopt);

    // The table at the layout's size, unless the program chooses another: Qt
    // would open the window at two thirds of a small screen.
    resize(sizeHint());
}

MainWindow::~MainWindow() = default;

void MainWindow::SetUpKeyboard() {
    for (const auto &[id, i] : AllElements()) {
        QWidget *widget = control(id, i);
        if (const std::string name = ControlName(id, i); !name.empty()) {
            widget->setAccessibleName(QString::fromStdString(name));
        }
        if (const std::string description = ControlDescription(id, i); !description.empty()) {
            widget->setAccessibleDescription(QString::fromStdString(description));
        }
    }
    const std::vector<ControlRef> order = TabOrder();
    for (std::size_t k = 1; k < order.size(); ++k) {
        setTabOrder(control(order[k - 1].control, order[k - 1].index),
                    control(order[k].control, order[k].index));
    }
    // Ctrl+Z takes back the card last thrown away in the exchange; nothing
    // else can be undone.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, [this] {
        if (!panels_->AnyOpen()) {
            TakeBackCard();
        }
    });
    // Escape closes whichever panel is open, through its own button.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, [this] {
        for (const TablePanel &panel : PanelStack()) {
            if (view_.Visible(panel.text, 0)) {
                Deliver(panel.button);
            }
        }
        if (log_->isVisible()) {
            ToggleLog();
        }
    });
}

void MainWindow::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setAccessibleName(QStringLiteral("Меню"));
    QMenu *game = menuBar_->addMenu(QStringLiteral("&Игра"));
    game->addAction(QStringLiteral("&Новая игра"), QKeySequence::New, this,
                    &MainWindow::ConfirmNewGame);
    game->addAction(QStringLiteral("&Открыть игру…"), QKeySequence::Open, this,
                    &MainWindow::ChooseGameToOpen);
    game->addAction(QStringLiteral("&Сохранить игру как…"), QKeySequence(Qt::CTRL | Qt::Key_S),
                    this, &MainWindow::ChooseWhereToSave);
    game->addSeparator();
    QAction *hint = game->addAction(QStringLiteral("&Подсказка"), this, &MainWindow::ShowHint);
    // Under a Cyrillic layout Qt matches a key by the Latin letter it bears
    // as well, so one sequence serves every layout; the Cyrillic letter
    // beside it would match the same key twice and do nothing.
    hint->setShortcut(QKeySequence(Qt::Key_H));
    QAction *log = game->addAction(QStringLiteral("&Ход игры"), this, &MainWindow::ToggleLog);
    log->setShortcut(QKeySequence(Qt::Key_L));
    game->addAction(QStringLiteral("Ст&атистика"), this, [this] { StatisticsPanel::Open(*this); });
    BuildPaceMenu(game->addMenu(QStringLiteral("&Темп")));
    game->addSeparator();
    game->addAction(QStringLiteral("В&ыход"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    &QWidget::close);
    QMenu *help = menuBar_->addMenu(QStringLiteral("&Справка"));
    // What the table's two buttons do.
    help->addAction(QStringLiteral("&Правила игры"), QKeySequence(Qt::Key_F1), this,
                    [this] { Deliver(Control::Pravila); });
    help->addAction(QStringLiteral("&О программе"), this, [this] { Deliver(Control::Game); });
}

bool MainWindow::Deliver(Control id, int index) {
    // An open panel lies over the table: only the panels' buttons answer.
    if (panels_->Blocks(id)) {
        return false;
    }
    pacer_->Finish();
    ClearHint();
    told_.clear();
    atEvent_.clear();
    if (Pace() > 0) {
        before_ = ShownStep{TableNow(), game_.TrickBest, {}};
    }
    const auto lines = RecordedClick(game_, random_, id, index);
    if (lines) {
        Write(*lines);
    }
    ShowWhatHappened();
    return lines.has_value();
}

void MainWindow::Told(const GameEvent &event) {
    told_.push_back(event);
    if (Pace() > 0) {
        atEvent_.push_back(ShownStep{TableNow(), game_.TrickBest, {}});
    }
}

std::vector<ControlState> MainWindow::TableNow() const {
    std::vector<ControlState> states;
    for (const auto &[id, i] : AllElements()) {
        states.push_back(view_.Shown(id, i));
    }
    return states;
}

void MainWindow::ShowWhatHappened() {
    std::vector<std::size_t> moves;
    for (std::size_t k = 0; k < told_.size(); ++k) {
        if (IsComputerMove(told_[k])) {
            moves.push_back(k);
        }
    }
    std::vector<ShownStep> steps;
    const auto eventsBetween = [this](std::size_t from, std::size_t to) {
        return std::vector<GameEvent>(told_.begin() + static_cast<std::ptrdiff_t>(from),
                                      told_.begin() + static_cast<std::ptrdiff_t>(to));
    };
    if (Pace() > 0 && !moves.empty()) {
        // The table as it stood just before each move, then as the action
        // left it, with the events told on the way to each.
        ShownStep first = moves.front() == 0 ? before_ : atEvent_[moves.front() - 1];
        first.events = eventsBetween(0, moves.front());
        steps.push_back(std::move(first));
        for (std::size_t m = 0; m < moves.size(); ++m) {
            const std::size_t end = m + 1 < moves.size() ? moves[m + 1] : told_.size();
            ShownStep step = m + 1 < moves.size() ? atEvent_[end - 1]
                                                  : ShownStep{TableNow(), game_.TrickBest, {}};
            step.events = eventsBetween(moves[m], end);
            steps.push_back(std::move(step));
        }
    } else {
        steps.push_back(ShownStep{{}, game_.TrickBest, told_});
    }
    told_.clear();
    atEvent_.clear();
    if (steps.size() > 1) {
        // Nothing holds the keyboard while the moves are shown: a control
        // the showing hides or shuts would hand it on down the Tab order,
        // and a screen reader would read out every stop on the way.
        if (QWidget *focused = QApplication::focusWidget(); focused && focused->window() == this) {
            focused->clearFocus();
            focusWhenShown_ = true;
        }
    }
    pacer_->Start(std::move(steps));
}

void MainWindow::ShowStep(const ShownStep &step) {
    if (!step.states.empty()) {
        restoring_ = true;
        std::size_t k = 0;
        for (const auto &[id, i] : AllElements()) {
            const ControlState &state = step.states[k++];
            const ControlState now = view_.Shown(id, i);
            if (now.text != state.text || now.picture != state.picture ||
                now.visible != state.visible || now.enabled != state.enabled ||
                now.back != state.back || now.fore != state.fore) {
                view_.Restore(id, i, state);
            }
        }
        restoring_ = false;
    }
    DimUnplayableCards();
    MarkTrick(step.trickBest);
    QStringList sentences;
    for (const GameEvent &event : step.events) {
        log_->Add(event);
        sentences << QString::fromStdString(Sentence(event));
    }
    if (!sentences.isEmpty()) {
        status_->Say(sentences.join(QStringLiteral(". ")));
    }
}

void MainWindow::ShownAll() {
    if (focusWhenShown_) {
        focusWhenShown_ = false;
        FocusLikelyNext(pressed_);
    }
}

void MainWindow::MarkTrick(const std::string &trickBest) {
    const std::string best = Trim(trickBest);
    const int seat = best.size() == 3 ? best[2] - '0' : 0;
    for (int s = 1; s <= 3; ++s) {
        auto *box = static_cast<CardBox *>(control(Control::Hod, s));
        const bool marked = s == seat && view_.Visible(Control::Hod, s);
        if (marked != box->IsMarked()) {
            box->SetMarked(marked);
            box->setAccessibleDescription(
                CardBoxDescription(Control::Hod, s) +
                (marked ? QStringLiteral(", пока берёт взятку") : QString()));
        }
        QWidget *words = control(Control::talk, s);
        if (words->font().bold() != box->IsMarked()) {
            QFont font = words->font();
            font.setBold(box->IsMarked());
            words->setFont(font);
        }
    }
}

void MainWindow::SetPace(int milliseconds) {
    pacer_->Finish();
    // A remembered value out of reason is no reason to wait minutes.
    pacer_->SetPause(std::clamp(milliseconds, 0, 5000));
    for (QAction *pace : paces_->actions()) {
        pace->setChecked(pace->data().toInt() == Pace());
    }
}

void MainWindow::BuildPaceMenu(QMenu *menu) {
    paces_ = new QActionGroup(this);
    for (const auto &[name, milliseconds] :
         {std::pair{"&Сразу", 0}, std::pair{"&Быстро", 250}, std::pair{"&Обычно", 500},
          std::pair{"&Медленно", 1000}}) {
        QAction *pace = menu->addAction(QString::fromUtf8(name));
        pace->setCheckable(true);
        pace->setData(milliseconds);
        paces_->addAction(pace);
        connect(pace, &QAction::triggered, this, [this, milliseconds] {
            SetPace(milliseconds);
            OpenSettings()->setValue(QStringLiteral("pace"), milliseconds);
        });
    }
}

void MainWindow::ToggleLog() {
    log_->setVisible(!log_->isVisible());
    if (log_->isVisible()) {
        beforeLog_ = QApplication::focusWidget();
        log_->raise();
        log_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The focus goes back where it was, while that can still be pressed.
    if (beforeLog_ && beforeLog_->isVisible() && beforeLog_->isEnabled()) {
        beforeLog_->setFocus(Qt::OtherFocusReason);
    } else {
        FocusLikelyNext(pressed_);
    }
}

namespace {

// The tooltip and description a control had before the hint took them.
constexpr char kBeforeHint[] = "vurpBeforeHint";

void SetHinted(QWidget *widget, bool hinted) {
    if (auto *box = qobject_cast<CardBox *>(widget)) {
        box->SetHinted(hinted);
    } else if (auto *button = qobject_cast<CaptionButton *>(widget)) {
        button->SetHinted(hinted);
    }
}

} // namespace

void MainWindow::ShowHint() {
    if (panels_->AnyOpen()) {
        return;
    }
    pacer_->Finish();
    if (!hint_) {
        hint_ = SuggestMove(game_, view_, hintRandom_);
    }
    if (!hint_) {
        status_->Say(QStringLiteral("Подсказки нет: сейчас ходят другие игроки"));
        return;
    }
    const QString reason = QString::fromStdString(hint_->reason);
    if (hinted_.empty()) {
        for (const int index : hint_->indices) {
            QWidget *widget = control(hint_->control, index);
            widget->setProperty(kBeforeHint,
                                QStringList{widget->toolTip(), widget->accessibleDescription()});
            widget->setToolTip(reason);
            widget->setAccessibleDescription(reason);
            SetHinted(widget, true);
            hinted_.emplace_back(widget);
        }
    }
    QWidget *first = hinted_.front();
    first->setFocus(Qt::OtherFocusReason);
    status_->setText(reason);
    QToolTip::showText(first->mapToGlobal(QPoint(0, first->height())), reason, first);
}

void MainWindow::ClearHint() {
    for (const QPointer<QWidget> &widget : hinted_) {
        if (widget) {
            const QStringList before = widget->property(kBeforeHint).toStringList();
            widget->setToolTip(before.value(0));
            widget->setAccessibleDescription(before.value(1));
            widget->setProperty(kBeforeHint, QVariant());
            SetHinted(widget, false);
        }
    }
    if (!hinted_.empty()) {
        QToolTip::hideText();
    }
    hinted_.clear();
    hint_.reset();
}

void MainWindow::Write(std::string_view lines) {
    const bool saved = journal_->Append(lines);
    if (!saved && !saveFailing_) {
        Notify(QStringLiteral("Игра не сохраняется: %1. Игра продолжается; сохранить её "
                              "снова программа попробует при следующем ходе.")
                   .arg(journal_->Error()));
    } else if (saved && saveFailing_) {
        Notify(QStringLiteral("Игра снова сохраняется в %1.").arg(journal_->Path()));
    }
    saveFailing_ = !saved;
}

void MainWindow::Notify(const QString &text) {
    lastNotice_ = text;
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Вурп"), text,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Once the window is on the screen: a notice at start-up comes before.
    QMetaObject::invokeMethod(
        box, [box] { box->open(); }, Qt::QueuedConnection);
}

void MainWindow::Restore(const ReplayedGame &replayed) {
    pacer_->Finish();
    ClearHint();
    restoring_ = true;
    static_cast<Table &>(game_) = replayed.game;
    for (const auto &[id, i] : AllElements()) {
        view_.Restore(id, i, replayed.view.State(id, i));
    }
    restoring_ = false;
    DimUnplayableCards();
    MarkTrick(game_.TrickBest);
    const std::vector<GameEvent> &story = replayed.view.Story().Events();
    log_->Reset(story);
    status_->setText(story.empty() ? QString() : QString::fromStdString(Sentence(story.back())));
    random_.Continue(replayed.random);
    pressed_.reset();
    if (replayed.lastPress) {
        pressed_ = ControlRef{replayed.lastPress->first, replayed.lastPress->second};
    }
    FocusLikelyNext(pressed_);
}

namespace {

QString JournalProblem(const JournalReading &reading) {
    switch (reading.fault) {
    case JournalFault::None:
        break;
    case JournalFault::NotJournal:
        return QStringLiteral("это не запись игры «Вурп»");
    case JournalFault::NewerFormat:
        return QStringLiteral("игра записана более новой версией программы (формат %1)")
            .arg(QString::fromStdString(reading.detail));
    case JournalFault::ReplayFailed:
        return QStringLiteral("запись повреждена (%1)").arg(QString::fromStdString(reading.detail));
    }
    return {};
}

} // namespace

void MainWindow::KeepJournal(const QString &folder, std::optional<std::uint64_t> seed) {
    journal_ = std::make_unique<JournalFile>(folder);
    if (!journal_->Lock()) {
        // Two windows writing one journal would tear it apart.
        journal_ = std::make_unique<JournalFile>(QString());
        journal_->Restart(JournalHeader(), false);
        if (seed) {
            random_.Seed(*seed);
            journal_->Append(SeedLine(*seed));
        }
        Notify(QStringLiteral("Вурп уже открыт в другом окне, и игра сохраняется там. Здесь "
                              "идёт новая игра, и она не сохраняется."));
        return;
    }
    if (seed) {
        random_.Seed(*seed);
        journal_->Restart(JournalHeader() + SeedLine(*seed), true);
        Write({});
        return;
    }
    const FileRead read = journal_->Read();
    QString problem = read.problem;
    if (read.kind == FileRead::Kind::Absent) {
        // Nothing is written before the first action.
        journal_->Restart(JournalHeader(), false);
        return;
    }
    if (read.kind == FileRead::Kind::Read) {
        JournalReading reading = ReadJournal(read.bytes);
        if (reading.game) {
            Restore(*reading.game);
            journal_->Adopt(read.bytes.substr(0, reading.length));
            return;
        }
        problem = JournalProblem(reading);
    }
    const auto moved = journal_->SetAside();
    journal_->Restart(JournalHeader(), false);
    if (moved) {
        Notify(QStringLiteral("Сохранённую игру не удалось продолжить: %1. Файл не удалён, он "
                              "перенесён в %2. Начата новая игра.")
                   .arg(problem, *moved));
    } else {
        saveFailing_ = true;
        Notify(QStringLiteral("Сохранённую игру не удалось продолжить: %1. Файл %2 оставлен "
                              "как есть, но %3, поэтому новая игра пока не сохраняется.")
                   .arg(problem, journal_->Path(), journal_->Error()));
    }
}

void MainWindow::StartNewGame() {
    const ReplayedGame fresh;
    Restore(fresh);
    random_.Restart();
    journal_->Restart(JournalHeader(), true);
    Write({});
}

bool MainWindow::OpenGame(const QString &path) {
    const FileRead read = ReadGameFile(path);
    std::string text = read.bytes;
    QString problem =
        read.kind == FileRead::Kind::Absent ? QStringLiteral("файла нет") : read.problem;
    JournalReading reading;
    if (read.kind == FileRead::Kind::Read) {
        // A saved game is written whole: a last line without its line end
        // was written by hand, and is read.
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        reading = ReadJournal(text);
        problem = JournalProblem(reading);
    }
    if (!reading.game) {
        Notify(QStringLiteral("Игру из файла %1 открыть нельзя: %2. Текущая игра продолжается.")
                   .arg(path, problem));
        return false;
    }
    Restore(*reading.game);
    text.resize(reading.length);
    journal_->Restart(std::move(text), true);
    Write({});
    return true;
}

bool MainWindow::TakeBackCard() {
    const std::string &text = journal_->Text();
    const std::size_t last = text.empty() ? 0 : text.rfind('\n', text.size() - 2) + 1;
    // In the exchange a click on a card of the hand throws it away.
    const auto click = ClickOf(std::string_view(text).substr(last));
    if (!click || click->first != Control::Pict1 || game_.PlayPhase ||
        !ExchangeDue(game_.Status[HumanSeat]) || !view_.Visible(Control::Change, 0)) {
        return false;
    }
    std::string kept = text.substr(0, last);
    JournalReading reading = ReadJournal(kept);
    if (!reading.game) {
        return false;
    }
    Restore(*reading.game);
    kept.resize(reading.length);
    journal_->Replace(std::move(kept));
    Write({});
    return true;
}

bool MainWindow::SaveGameAs(const QString &path) {
    if (const QString failed = SaveWhole(path, journal_->Text()); !failed.isEmpty()) {
        Notify(QStringLiteral("Игру не удалось сохранить в %1: %2.").arg(path, failed));
        return false;
    }
    return true;
}

void MainWindow::ConfirmNewGame() {
    auto *box = new QMessageBox(QMessageBox::Question, QStringLiteral("Новая игра"),
                                QStringLiteral("Начать новую игру? Деньги всех игроков снова "
                                               "станут начальными; нынешняя игра останется в "
                                               "папке сыгранных игр."),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setDefaultButton(QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("Начать"));
    box->button(QMessageBox::No)->setText(QStringLiteral("Отмена"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::accepted, this, &MainWindow::StartNewGame);
    box->open();
}

namespace {

QString GamesFolder(const JournalFile &journal) {
    return journal.Folder().isEmpty() ? QDir::homePath()
                                      : journal.Folder() + QStringLiteral("/games");
}

} // namespace

void MainWindow::ChooseGameToOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Открыть игру"), GamesFolder(*journal_),
                                     QStringLiteral("Игры «Вурп» (*.vurp);;Все файлы (*)"));
    if (!path.isEmpty()) {
        OpenGame(path);
    }
}

void MainWindow::ChooseWhereToSave() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сохранить игру как"), QDir::homePath() + QStringLiteral("/Вурп.vurp"),
        QStringLiteral("Игры «Вурп» (*.vurp);;Все файлы (*)"));
    if (!path.isEmpty()) {
        SaveGameAs(path);
    }
}

void MainWindow::Press(Control id, int index) {
    const bool panelButton = id == Control::Pravila || id == Control::Game;
    if (panels_->Blocks(id)) {
        return;
    }
    if (QWidget *focused = QApplication::focusWidget(); !panelButton && focused != nullptr) {
        // The move may shut or hide the control pressed, and the keyboard
        // would wander down the Tab order, read out at every stop, before
        // it lands on the control likely pressed next.
        focused->clearFocus();
    }
    Deliver(id, index);
    // The panel buttons leave the game where it was, and the focus too.
    if (!panelButton) {
        // The pressed control, not the focus: a card box that was hidden and
        // shown again on the way has lost the focus to its neighbour.
        pressed_ = ControlRef{id, index};
        focusWhenShown_ = true;
        if (!pacer_->Busy()) {
            ShownAll();
        }
    }
}

void MainWindow::DimUnplayableCards() {
    const int boxes = DesignOf(Control::Pict1).count;
    bool choosing = false;
    for (int box = 1; box <= boxes; ++box) {
        choosing =
            choosing || (view_.Visible(Control::Pict1, box) && view_.Enabled(Control::Pict1, box));
    }
    for (int box = 1; box <= boxes; ++box) {
        static_cast<CardBox *>(control(Control::Pict1, box))
            ->SetDimmed(choosing && view_.Visible(Control::Pict1, box) &&
                        !view_.Enabled(Control::Pict1, box));
    }
    // And every control that cannot be pressed says why.
    ExplainWhyNot(game_, view_);
}

void MainWindow::FocusLikelyNext(std::optional<ControlRef> pressed) {
    // An open panel keeps the keyboard; closed, it finds the control itself.
    if (panels_->AnyOpen()) {
        return;
    }
    if (const auto next = LikelyNext(view_, pressed)) {
        control(next->control, next->index)->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::StepAmongCards(int fromBox, int step) {
    std::vector<int> hand = HandBoxesLeftToRight();
    if (step < 0) {
        std::reverse(hand.begin(), hand.end());
    }
    auto at = std::find(hand.begin(), hand.end(), fromBox);
    if (at == hand.end()) {
        return;
    }
    for (++at; at != hand.end(); ++at) {
        QWidget *box = control(Control::Pict1, *at);
        if (box->isVisible() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QWidget *MainWindow::MakeWidget(const ControlDesign &design) {
    switch (design.kind) {
    case ControlKind::Button:
        return new CaptionButton(QString(), table_);
    case ControlKind::Label: {
        auto *label = new QLabel(table_);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(ToQt(TextAlignment(design.id)) | Qt::AlignTop);
        return label;
    }
    case ControlKind::TextBox:
        if (design.multiline) {
            auto *panel = new QPlainTextEdit(table_);
            panel->setReadOnly(design.locked);
            // Read-only boxes are no tab stops; a click still selects in them.
            panel->setFocusPolicy(design.locked ? Qt::ClickFocus : Qt::StrongFocus);
            return panel;
        } else {
            if (design.locked) {
                auto *line = new QLineEdit(table_);
                line->setReadOnly(true);
                // Tab reaches them after every control that can be pressed.
                line->setFocusPolicy(Qt::StrongFocus);
                return line;
            }
            auto *line = new EditLine(table_);
            if (design.maxLength > 0) {
                line->SetCharacterLimit(design.maxLength);
            }
            return line;
        }
    case ControlKind::Picture: {
        auto *box = new CardBox(table_);
        box->SetChoosable(design.id == Control::Pict1);
        return box;
    }
    }
    return new QWidget(table_);
}

void MainWindow::Connect(QWidget *widget, const ControlDesign &design, int index) {
    const Control id = design.id;
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id, index] { Press(id, index); });
    } else if (auto *box = qobject_cast<CardBox *>(widget)) {
        connect(box, &CardBox::clicked, this, [this, id, index] { Press(id, index); });
        if (id == Control::Pict1) {
            connect(box, &CardBox::stepRequested, this,
                    [this, index](int step) { StepAmongCards(index, step); });
        }
    } else if (auto *line = qobject_cast<QLineEdit *>(widget); line != nullptr && !design.locked) {
        connect(line, &QLineEdit::textChanged, this, [this, id, index](const QString &text) {
            if (restoring_) {
                return;
            }
            pacer_->Finish();
            ClearHint();
            game_.TextChanged(id, index);
            ShowWhatHappened();
            // The stake box takes no line breaks, so its text always fits
            // on a line of the journal.
            if (const auto typed = TypeLine(text.toStdString())) {
                Write(*typed);
            }
        });
    }
}

} // namespace vurp::ui
