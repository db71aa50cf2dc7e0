#include "scaled_table.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>

namespace vurp::ui {

namespace {

// A title bar and borders, as most desktops draw them.
constexpr QSize kFrameAllowance(16, 48);

} // namespace

ScaledTable::ScaledTable(QWidget *parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ScaledTable::ScaledSize(qreal scale) {
    return QSize(Scaled(kDesignSize.width(), scale), Scaled(kDesignSize.height(), scale));
}

QSize ScaledTable::minimumSizeHint() const {
    return ScaledSize(kSmallestScale);
}

void ScaledTable::Place(QWidget *control, Twips place) {
    Placed placed{control, place, std::nullopt};
    if ((control->font().resolveMask() & QFont::SizeResolved) != 0) {
        placed.fontSize = SizeOf(control->font());
        if (scale_ != 1) {
            control->setFont(Sized(control->font(), *placed.fontSize, scale_));
        }
    }
    control->setGeometry(ToQRect(ScaledPlace(place, scale_)).translated(origin_));
    placed_.push_back(std::move(placed));
}

void ScaledTable::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    Rescale();
}

void ScaledTable::Rescale() {
    const qreal scale = FitScale(width(), height());
    const QSize area = ScaledSize(scale);
    origin_ = QPoint(std::max(0, (width() - area.width()) / 2),
                     std::max(0, (height() - area.height()) / 2));
    const bool rescaled = scale != scale_;
    scale_ = scale;
    if (rescaled) {
        ScaleFonts();
    }
    for (const Placed &placed : placed_) {
        if (placed.control) {
            placed.control->setGeometry(
                ToQRect(ScaledPlace(placed.place, scale)).translated(origin_));
            if (rescaled) {
                // What a control paints itself, its focus frame and card
                // picture, is scaled too.
                placed.control->update();
            }
        }
    }
}

void ScaledTable::ScaleFonts() {
    // Until the table is first scaled its font is the layout's.
    if (!fontSize_) {
        fontSize_ = SizeOf(font());
    }
    setFont(Sized(font(), *fontSize_, scale_));
    for (const Placed &placed : placed_) {
        if (placed.control && placed.fontSize) {
            placed.control->setFont(Sized(placed.control->font(), *placed.fontSize, scale_));
        }
    }
}

ScaledTable::FontSize ScaledTable::SizeOf(const QFont &font) {
    return font.pixelSize() > 0 ? FontSize{0, font.pixelSize()} : FontSize{font.pointSizeF(), 0};
}

// Points are scaled as a real number, not rounded to whole ones, so that a
// caption takes the same share of its button at every scale.
QFont ScaledTable::Sized(QFont font, FontSize size, qreal scale) {
    if (size.pixels > 0) {
        font.setPixelSize(std::max(1, Scaled(size.pixels, scale)));
    } else {
        font.setPointSizeF(size.points * scale);
    }
    return font;
}

qreal TableScale(const QWidget *control) {
    const auto *table =
        control == nullptr ? nullptr : qobject_cast<const ScaledTable *>(control->parentWidget());
    return table == nullptr ? 1.0 : table->Scale();
}

QSize StartSize(const QWidget &window, QSize room, std::optional<QSize> remembered) {
    if (remembered && remembered->isValid()) {
        return remembered->boundedTo(room);
    }
    // The menu bar and whatever else the window holds beside the table.
    const QSize chrome = window.sizeHint() - kDesignSize;
    const qreal fits = std::min(qreal(room.width() - chrome.width()) / kDesignSize.width(),
                                qreal(room.height() - chrome.height()) / kDesignSize.height());
    const qreal scale = std::clamp(fits, kSmallestScale, qreal(1));
    // Rounded down: a window a pixel too large for the room would not fit.
    return chrome + QSize(static_cast<int>(kDesignSize.width() * scale),
                          static_cast<int>(kDesignSize.height() * scale));
}

QSize ScreenRoom(const QWidget &window) {
    const QScreen *screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen == nullptr ? kDesignSize : screen->availableGeometry().size() - kFrameAllowance;
}

} // namespace vurp::ui
