// The card table at any size: the controls keep their places of the layout,
// every one scaled by the same factor, so the table keeps its proportions in
// a window of any size.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>
#include <vector>

#include "layout.h"

namespace vurp::ui {

// The table as the layout draws it, at a scale of 1.
inline constexpr QSize kDesignSize(kClientWidth, kClientHeight);

inline QRect ToQRect(PixelRect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// The place of the layout in pixels, at a scale of 1.
inline QRect ToPixels(Twips place) {
    return ToQRect(ScaledPlace(place, 1));
}

// The widget of the table: holds the controls and puts each where the layout
// places it, scaled to fit the widget, centred; the margins left over are
// bare table.
class ScaledTable final : public QWidget {
    Q_OBJECT
public:
    explicit ScaledTable(QWidget *parent = nullptr);

    // Puts `control`, a child of the table, at `place`, now and at every size.
    void Place(QWidget *control, Twips place);
    // How many pixels of the widget a pixel of the layout covers.
    qreal Scale() const { return scale_; }
    // The table of the layout within the widget, at the scale.
    QRect Area() const { return QRect(origin_, ScaledSize(scale_)); }

    QSize sizeHint() const override { return kDesignSize; }
    QSize minimumSizeHint() const override;

    static QSize ScaledSize(qreal scale);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // A font's size at a scale of 1: in points, or in whole pixels for a
    // font given in pixels.
    struct FontSize {
        qreal points = 0;
        int pixels = 0;
    };
    struct Placed {
        QPointer<QWidget> control;
        Twips place;
        // The size of the control's own font when it was placed; none for a
        // control that takes the table's, whatever else of its font it sets
        // (a bold line stays bold and takes the table's size).
        std::optional<FontSize> fontSize;
    };

    void Rescale();
    void ScaleFonts();
    static FontSize SizeOf(const QFont &font);
    static QFont Sized(QFont font, FontSize size, qreal scale);

    std::vector<Placed> placed_;
    qreal scale_ = 1;
    QPoint origin_;
    // The table's own font size, kept when the table is first scaled.
    std::optional<FontSize> fontSize_;
};

// The scale of the table `control` stands on; 1 for a widget on no table.
qreal TableScale(const QWidget *control);

// The size a window opens at in `room`, the free area of its screen less its
// frame: the `remembered` size where there is one, cut down to the room;
// otherwise the size that shows the table of `window` at the scale of the
// layout, or at the largest scale below it that fits.
QSize StartSize(const QWidget &window, QSize room, std::optional<QSize> remembered);
// The free area of the screen `window` opens on, less an allowance for a
// window frame, which is not known before the window is shown.
QSize ScreenRoom(const QWidget &window);

} // namespace vurp::ui
