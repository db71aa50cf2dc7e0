// The two widgets the window needs beyond Qt's own: a card box and a button
// whose caption wraps.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QString>

namespace vurp::ui {

// A picture box: shows one card picture and reports a left click.
class CardBox final : public QLabel {
    Q_OBJECT
public:
    explicit CardBox(QWidget *parent = nullptr);

    void ShowPicture(const QString &name, const QPixmap &picture);
    // The card code or "rubashka" last shown; empty while none was.
    QString PictureName() const { return name_; }
    QPixmap Picture() const { return picture_; }

signals:
    // A left press and release on the box while it is enabled and visible.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString name_;
    QPixmap picture_;
    bool pressed_ = false;
};

// A push button whose caption breaks into lines when it is wider than the
// button, as the narrow declaration buttons need ("Помогу, иду за...").
class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vurp::ui
