// The widgets the window needs beyond Qt's own: a card box, a button whose
// caption wraps, and a line the player types in; each shows the keyboard focus
// plainly on the table.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QString>

#include "card_pictures.h"

class QPainter;

namespace vurp::ui {

// The focus frame: yellow outside, black inside, so it stands out on the teal
// table, on a white card and on a grey button alike; its lines as wide as the
// table's `scale` makes them.
void DrawFocusFrame(QPainter &p, const QRect &area, qreal scale);
// The hint's frame: a dashed line, white on black, around the control the
// computer players would press in the player's place; inside the focus frame,
// so that both show at once.
void DrawHintFrame(QPainter &p, const QRect &area, qreal scale);

// A picture box: shows one card picture and reports a left click.
class CardBox final : public QLabel {
    Q_OBJECT
public:
    explicit CardBox(QWidget *parent = nullptr);

    void ShowPicture(const QString &name, const PictureSet &picture);
    // The card code or "rubashka" last shown; empty while none was.
    QString PictureName() const { return name_; }
    // The picture shown, at its own size (71 x 96).
    QPixmap Picture() const { return picture_.Base(); }
    // What the box draws where a logical pixel covers `ratio` device pixels,
    // on a table of any scale.
    QPixmap PictureFor(qreal ratio) const;
    // Whether the picture shown stands in for one still being decoded.
    bool PicturePending() const { return picture_.Pending(); }

    // A box of the human's hand: it takes the focus, and while enabled shows
    // a pointing hand and a tooltip.
    void SetChoosable(bool choosable);
    bool IsChoosable() const { return choosable_; }
    // Names the card shown, for screen readers and the tooltip.
    void SetCardName(const QString &name);
    // Why the box cannot be chosen now: its tooltip while it is disabled.
    void SetWhyNot(const QString &reason);
    // Clicks the box, as the mouse or the keyboard does, while it is enabled
    // and visible.
    void Press();
    // Drawn darker: a card the player may not choose while he chooses others.
    void SetDimmed(bool dimmed);
    bool IsDimmed() const { return dimmed_; }
    // Framed in gold: the card that takes the trick so far.
    void SetMarked(bool marked);
    bool IsMarked() const { return marked_; }
    // Framed as the hint's suggestion.
    void SetHinted(bool hinted);
    bool IsHinted() const { return hinted_; }

signals:
    // A left press and release on the box, Space or Enter on it, while it is
    // enabled and visible.
    void clicked();
    // An arrow key on the box: -1 to the left, +1 to the right.
    void stepRequested(int step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void UpdateHints();
    void DrawPicture(QPainter &p) const;

    bool choosable_ = false;
    bool dimmed_ = false;
    bool marked_ = false;
    bool hinted_ = false;
    QString whyNot_;
    QString name_;
    PictureSet picture_;
    bool pressed_ = false;
};

// A push button whose caption breaks into lines when it is wider than the
// button, as the narrow declaration buttons need ("Помогу, иду за...").
class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(const QString &caption, QWidget *parent = nullptr);

    // Framed as the hint's suggestion.
    void SetHinted(bool hinted);
    bool IsHinted() const { return hinted_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // Enter and Return press the button as Space does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool hinted_ = false;
};

// A line the player edits: the stake.
class EditLine final : public QLineEdit {
    Q_OBJECT
public:
    explicit EditLine(QWidget *parent = nullptr);

    // Keeps at most `limit` characters, counted as whole code points (an
    // emoji is one, never cut in two), as the game counts them; what is
    // typed or pasted beyond is dropped.
    void SetCharacterLimit(int limit);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vurp::ui
