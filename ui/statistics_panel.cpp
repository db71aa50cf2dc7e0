#include "statistics_panel.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "main_window.h"
#include "statistics_words.h"
#include "story.h"

namespace vurp::ui {

namespace {

QString Words(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString SeatName(std::size_t seat) {
    return Words(kStatisticsSeatNames[seat]);
}

// A colour and a dash for each seat, so that the lines part also without
// their colours; the player's line is the strongest.
struct SeatLine {
    QColor colour;
    Qt::PenStyle dash;
    qreal width;
};
const std::array<SeatLine, 3> kSeatLines = {
    SeatLine{QColor(0x1f, 0x4e, 0xbd), Qt::SolidLine, 2.5},
    SeatLine{QColor(0xc0, 0x39, 0x2b), Qt::DashLine, 2.0},
    SeatLine{QColor(0x1e, 0x84, 0x49), Qt::DashDotLine, 2.0},
};

QString MoneyText(Currency amount) {
    return QString::fromStdString(PlainDecimal(amount));
}

// A mark for each point: a circle, a square, a triangle.
void DrawMark(QPainter &painter, QPointF at, int seat, qreal size) {
    switch (seat) {
    case 0:
        painter.drawEllipse(at, size, size);
        break;
    case 1:
        painter.drawRect(QRectF(at.x() - size, at.y() - size, 2 * size, 2 * size));
        break;
    default: {
        const QPointF corners[] = {at + QPointF(0, -size * 1.2), at + QPointF(size * 1.1, size),
                                   at + QPointF(-size * 1.1, size)};
        painter.drawPolygon(corners, 3);
        break;
    }
    }
}

QPen SeatPen(int seat, bool faded) {
    const SeatLine &line = kSeatLines[static_cast<std::size_t>(seat)];
    QColor colour = line.colour;
    if (faded) {
        colour.setAlpha(110);
    }
    QPen pen(colour, line.width, line.dash);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// A table to read: the cell the arrows are at stands out while the table has
// the focus, and nothing does otherwise.
class ReadingTable final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    void focusInEvent(QFocusEvent *event) override {
        QTableWidget::focusInEvent(event);
        // A dialog being shown tells its focus widget so, focus or not.
        if (hasFocus() && currentIndex().isValid()) {
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        }
    }
    void focusOutEvent(QFocusEvent *event) override {
        QTableWidget::focusOutEvent(event);
        clearSelection();
    }
};

QTableWidget *MakeTable(QWidget *parent, const QString &name, const QStringList &columns) {
    auto *table = new ReadingTable(0, static_cast<int>(columns.size()), parent);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab goes on to the next part of the panel; the arrows walk the cells.
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setAlternatingRowColors(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Rows of one line; measured once, not cell by cell.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

void SetCell(QTableWidget *table, int row, int column, const QString &text) {
    QTableWidgetItem *item = table->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
    if (item->text() != text) {
        item->setText(text);
    }
}

// The cell where the arrows start, not selected: only the focus marks it.
void MakeCurrent(QTableWidget *table, int row, int column) {
    table->selectionModel()->setCurrentIndex(table->model()->index(row, column),
                                             QItemSelectionModel::NoUpdate);
}

void SetRowName(QTableWidget *table, int row, const QString &name) {
    QTableWidgetItem *header = table->verticalHeaderItem(row);
    if (header == nullptr) {
        table->setVerticalHeaderItem(row, new QTableWidgetItem(name));
    } else if (header->text() != name) {
        header->setText(name);
    }
}

} // namespace

BalanceChart::BalanceChart(QWidget *parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("График денег по раздачам"));
    setAccessibleDescription(QString::fromStdString(ChartDescription(series_, false)));
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void BalanceChart::SetSeries(const std::vector<Balances> &series, bool lastUnderWay) {
    if (series == series_ && lastUnderWay == lastUnderWay_) {
        return;
    }
    series_ = series;
    lastUnderWay_ = lastUnderWay;
    setAccessibleDescription(QString::fromStdString(ChartDescription(series_, lastUnderWay_)));
    update();
}

void BalanceChart::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    update();
}

void BalanceChart::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    update();
}

void BalanceChart::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    const QColor ink = palette().color(QPalette::Text);
    const QRectF area = QRectF(rect()).adjusted(line / 2, line / 4, -line, -line / 4);

    if (hasFocus()) {
        // Plain to see, however the focus came.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

    // The legend, left to right, wrapping where the width ends.
    const qreal sample = 2.5 * line;
    qreal x = area.left();
    qreal top = area.top();
    painter.setPen(ink);
    for (int s = 0; s < 3; ++s) {
        const QString name = SeatName(static_cast<std::size_t>(s));
        const qreal width = sample + line / 3 + metrics.horizontalAdvance(name) + line;
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            top += line * 1.3;
        }
        const qreal middle = top + line * 0.65;
        painter.setPen(SeatPen(s, false));
        painter.drawLine(QPointF(x, middle), QPointF(x + sample, middle));
        painter.setBrush(kSeatLines[static_cast<std::size_t>(s)].colour);
        painter.setPen(QPen(kSeatLines[static_cast<std::size_t>(s)].colour, 1));
        DrawMark(painter, QPointF(x + sample / 2, middle), s, line / 5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(ink);
        painter.drawText(QRectF(x + sample + line / 3, top, width, line * 1.3),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += width;
    }
    const qreal legendBottom = top + line * 1.6;

    if (series_.size() < 2) {
        painter.drawText(area.adjusted(0, legendBottom - area.top(), 0, 0), Qt::AlignCenter,
                         QString::fromStdString(ChartDescription(series_, lastUnderWay_)));
        return;
    }

    const qreal plotTop = legendBottom + line / 2;
    const qreal plotBottom = area.bottom() - 2.4 * line;
    const MoneyScale scale = MoneyAxis(series_, std::floor((plotBottom - plotTop) / (2.2 * line)));
    const double low = scale.low;
    const double high = scale.high;
    const double moneyStep = scale.step;
    const int ticks = scale.ticks;
    qreal labelWidth = 0;
    for (int k = 0; k <= ticks; ++k) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::fromStdString(
                                              TickText(low + k * moneyStep, moneyStep))));
    }
    const QRectF plot(QPointF(area.left() + 1.6 * line + labelWidth, plotTop),
                      QPointF(area.right(), plotBottom));
    const auto yOf = [&](double value) {
        return plot.bottom() - plot.height() * (value - low) / (high - low);
    };
    const auto deals = static_cast<int>(series_.size() - 1);
    const auto xOf = [&](int deal) { return plot.left() + plot.width() * deal / deals; };

    // The grid, the zero line and the money ticks.
    const QColor grid = palette().color(QPalette::Mid);
    for (int k = 0; k <= ticks; ++k) {
        const double value = low + k * moneyStep;
        const qreal y = yOf(value);
        const bool zero = std::abs(value) < moneyStep / 2;
        painter.setPen(QPen(zero ? ink : grid, zero ? 1.2 : 0.6));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(ink);
        painter.drawText(
            QRectF(plot.left() - labelWidth - line / 3, y - line / 2, labelWidth, line),
            Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(TickText(value, moneyStep)));
    }
    // The deal ticks: as many as have room for their numbers.
    const qreal dealLabel = metrics.horizontalAdvance(QString::number(deals)) + line * 1.5;
    const int dealStep = DealStep(deals, plot.width() / dealLabel);
    painter.setPen(QPen(ink, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (int deal = 0; deal <= deals; deal += dealStep) {
        const qreal at = xOf(deal);
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + line / 4));
        painter.drawText(QRectF(at - dealLabel / 2, plot.bottom() + line / 4, dealLabel, line),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(deal));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * line, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Раздача"));
    painter.save();
    painter.translate(area.left(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                     QStringLiteral("Деньги"));
    painter.restore();

    // The lines, the player's last so that it lies on top; the deal still
    // being played faded.
    painter.setClipRect(plot.adjusted(-line / 2, -line / 2, line / 2, line / 2));
    const bool marks = deals <= 40;
    for (int s = 2; s >= 0; --s) {
        const auto seat = static_cast<std::size_t>(s);
        const int settled = lastUnderWay_ ? deals - 1 : deals;
        QPainterPath path(QPointF(xOf(0), yOf(MoneyValue(series_[0][seat]))));
        for (int deal = 1; deal <= settled; ++deal) {
            path.lineTo(xOf(deal), yOf(MoneyValue(series_[static_cast<std::size_t>(deal)][seat])));
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(SeatPen(s, false));
        painter.drawPath(path);
        if (lastUnderWay_) {
            painter.setPen(SeatPen(s, true));
            painter.drawLine(
                QPointF(xOf(deals - 1), yOf(MoneyValue(series_[series_.size() - 2][seat]))),
                QPointF(xOf(deals), yOf(MoneyValue(series_.back()[seat]))));
        }
        if (marks) {
            painter.setPen(QPen(kSeatLines[seat].colour, 1));
            painter.setBrush(kSeatLines[seat].colour);
            for (int deal = 0; deal <= deals; ++deal) {
                DrawMark(painter,
                         QPointF(xOf(deal),
                                 yOf(MoneyValue(series_[static_cast<std::size_t>(deal)][seat]))),
                         s, line / 6);
            }
        }
    }
}

StatisticsPanel *StatisticsPanel::Open(MainWindow &window) {
    auto *panel = window.findChild<StatisticsPanel *>(QString(), Qt::FindDirectChildrenOnly);
    if (panel == nullptr) {
        panel = new StatisticsPanel(window);
    }
    // The player asked: what is still to be shown of the last action is shown.
    window.FinishShowing();
    panel->Refresh(true);
    panel->chart_->setFocus(Qt::OtherFocusReason);
    panel->show();
    panel->raise();
    panel->activateWindow();
    return panel;
}

StatisticsPanel::StatisticsPanel(MainWindow &window) : QDialog(&window), window_(window) {
    setWindowTitle(QStringLiteral("Статистика"));
    chart_ = new BalanceChart(this);
    QStringList seats;
    for (std::size_t s = 0; s < kStatisticsSeatNames.size(); ++s) {
        seats << SeatName(s);
    }
    money_ = MakeTable(this, QStringLiteral("Деньги после каждой раздачи"), seats);
    counts_ = MakeTable(this, QStringLiteral("Ваш счёт"),
                        {QStringLiteral("Эта игра"), QStringLiteral("Все игры")});
    counts_->setRowCount(static_cast<int>(kCountRows.size()));
    for (std::size_t row = 0; row < kCountRows.size(); ++row) {
        const auto at = static_cast<int>(row);
        const QString hint = Words(kCountRows[row].hint);
        SetRowName(counts_, at, Words(kCountRows[row].name));
        counts_->verticalHeaderItem(at)->setToolTip(hint);
        for (int column = 0; column < 2; ++column) {
            SetCell(counts_, at, column, QString());
            // What a screen reader says of each cell of the row.
            counts_->item(at, column)->setData(Qt::AccessibleDescriptionRole, hint);
        }
    }
    counts_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // As wide as its names and numbers; the chart takes what is left.
    counts_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    counts_->horizontalHeader()->setMinimumSectionSize(
        counts_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    counts_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    counts_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    counts_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    MakeCurrent(counts_, 0, 0);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    note_->hide();
    auto *close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *moneyTitle = new QLabel(QStringLiteral("Деньги в этой игре"), this);
    moneyTitle->setBuddy(chart_);
    auto *countsTitle = new QLabel(QStringLiteral("Ваш счёт"), this);
    countsTitle->setBuddy(counts_);
    auto *layout = new QGridLayout(this);
    layout->addWidget(moneyTitle, 0, 0);
    layout->addWidget(countsTitle, 0, 1);
    layout->addWidget(chart_, 1, 0);
    layout->addWidget(money_, 2, 0);
    layout->addWidget(counts_, 1, 1, 2, 1);
    layout->addWidget(note_, 3, 0, 1, 2);
    layout->addWidget(close, 4, 1, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(2, 2);
    setTabOrder(chart_, money_);
    setTabOrder(money_, counts_);
    setTabOrder(counts_, close);
    resize(820, 520);

    // Whatever the table tells goes into its log: then the game may have
    // moved on, or been replaced by another.
    connect(window_.log(), &GameLog::Told, this, &StatisticsPanel::RefreshSoon);
}

void StatisticsPanel::RefreshSoon() {
    if (!isVisible() || refreshDue_) {
        return;
    }
    refreshDue_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshDue_ = false;
        // While moves are still being shown the last of them calls again.
        if (isVisible() && !window_.Showing()) {
            Refresh(false);
        }
    });
}

void StatisticsPanel::Refresh(bool finishedToo) {
    current_.Follow(window_.Journal());
    const QString journal = window_.JournalPath();
    if (finishedToo || current_.StartedAnew()) {
        finished_ = journal.isEmpty() ? FinishedGames{}
                                      : SummariseFinishedGames(QFileInfo(journal).absolutePath(),
                                                               window_.Journal());
    }
    ShowMoney();
    ShowCounts();
    QStringList notes;
    if (journal.isEmpty()) {
        notes << Words(kNotKeptNote);
    }
    if (const int unreadable = finished_.unreadable + (current_.Readable() ? 0 : 1);
        unreadable > 0) {
        notes << QString::fromStdString(UnreadableNote(unreadable));
    }
    if (!finished_.saveProblem.isEmpty()) {
        notes << QStringLiteral("Сводку сыгранных игр не удалось сохранить (%1): в следующий раз "
                                "их записи будут прочитаны снова.")
                     .arg(finished_.saveProblem);
    }
    note_->setText(notes.join(QLatin1Char(' ')));
    note_->setVisible(!notes.isEmpty());
}

void StatisticsPanel::ShowMoney() {
    const GameStatistics &game = current_.Statistics();
    const std::vector<Balances> &series = game.Series();
    const std::vector<Balances> &shown = chart_->Series();
    const int rows = static_cast<int>(series.size());
    const bool atEnd = money_->currentRow() < 0 || money_->currentRow() == money_->rowCount() - 1;
    // Only the rows that changed: the deals before stay as they were.
    std::size_t same = 0;
    while (same < shown.size() && same < series.size() && shown[same] == series[same]) {
        ++same;
    }
    same = same > 0 ? same - 1 : 0;
    money_->setRowCount(rows);
    for (int row = static_cast<int>(same); row < rows; ++row) {
        const bool underWay = game.DealUnderWay() && row == rows - 1;
        SetRowName(money_, row,
                   QString::fromStdString(MoneyRowName(static_cast<std::size_t>(row), underWay)));
        for (int s = 0; s < 3; ++s) {
            SetCell(money_, row, s,
                    MoneyText(series[static_cast<std::size_t>(row)][static_cast<std::size_t>(s)]));
        }
    }
    chart_->SetSeries(series, game.DealUnderWay());
    if (atEnd) {
        MakeCurrent(money_, rows - 1, std::max(0, money_->currentColumn()));
        money_->scrollToBottom();
    }
}

void StatisticsPanel::ShowCounts() {
    const Tally game = current_.Statistics().Counts();
    Tally all = finished_.tally;
    all += game;
    for (std::size_t row = 0; row < kCountRows.size(); ++row) {
        SetCell(counts_, static_cast<int>(row), 0,
                QString::fromStdString(kCountRows[row].value(game)));
        SetCell(counts_, static_cast<int>(row), 1,
                QString::fromStdString(kCountRows[row].value(all)));
    }
}

void StatisticsPanel::hideEvent(QHideEvent *event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        window_.activateWindow();
    }
}

} // namespace vurp::ui
