#include "accessibility.h"

#include <QAccessibleWidget>

#include <array>

#include "cards.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

// Rank digits "1".."9": nominative singular.
constexpr std::array<const char *, 9> kRankNames = {
    "Шестёрка", "Семёрка", "Восьмёрка", "Девятка", "Десятка", "Валет", "Дама", "Король", "Туз",
};

// Suit letters with their genitive plural: "Туз червей", "Дама бубен".
QString SuitGenitive(char suit) {
    switch (suit) {
    case 'p':
        return QStringLiteral("пик");
    case 'k':
        return QStringLiteral("треф");
    case 'b':
        return QStringLiteral("бубен");
    case 'c':
        return QStringLiteral("червей");
    default:
        return {};
    }
}

QString Seat(int index) {
    return QStringLiteral("Игрок %1: ").arg(index);
}

// A card box of the human's hand is a button while it can be clicked; every
// other box is a picture.
class CardBoxAccessible final : public QAccessibleWidget {
public:
    explicit CardBoxAccessible(CardBox *box)
        : QAccessibleWidget(box, box->IsChoosable() ? QAccessible::Button : QAccessible::Graphic) {}

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Box()->IsChoosable() && Box()->isEnabled()) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString &name) override {
        if (name == pressAction()) {
            Box()->Press();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    CardBox *Box() const { return static_cast<CardBox *>(widget()); }
};

QAccessibleInterface *Factory(const QString &className, QObject *object) {
    if (className == QLatin1String(CardBox::staticMetaObject.className())) {
        if (auto *box = qobject_cast<CardBox *>(object)) {
            return new CardBoxAccessible(box);
        }
    }
    return nullptr;
}

} // namespace

QString CardName(std::string_view picture) {
    if (picture == CardBack) {
        return QStringLiteral("Карта рубашкой вверх");
    }
    if (picture.size() != 2 || picture[0] < '1' || picture[0] > '9') {
        return {};
    }
    const QString suit = SuitGenitive(picture[1]);
    if (suit.isEmpty()) {
        return {};
    }
    return QString::fromUtf8(kRankNames[static_cast<std::size_t>(picture[0] - '1')]) +
           QLatin1Char(' ') + suit;
}

QString ControlName(Control control, int index) {
    switch (control) {
    case Control::Stavk:
        return QStringLiteral("Ставка");
    case Control::bank:
        return QStringLiteral("Банк");
    case Control::TextPravila:
        return QStringLiteral("Правила игры");
    case Control::TextGame:
        return QStringLiteral("О программе");
    case Control::talk:
        return Seat(index) + QStringLiteral("слова");
    case Control::Talk2:
        return Seat(index) + QStringLiteral("ответ");
    case Control::Money:
        return Seat(index) + QStringLiteral("деньги");
    case Control::KolVz:
        return Seat(index) + QStringLiteral("взятки");
    case Control::GoKats: {
        QString rank = QString::fromStdString(RankName(RankNominativeLiteral, index));
        if (!rank.isEmpty()) {
            rank[0] = rank[0].toUpper();
        }
        return rank;
    }
    default:
        return {};
    }
}

QString CardBoxDescription(Control control, int index) {
    switch (control) {
    case Control::Pict1:
        return QStringLiteral("Ваша карта %1").arg(index);
    case Control::Pict2:
    case Control::Pict3:
        return QStringLiteral("Карта игрока %1").arg(control == Control::Pict2 ? 2 : 3);
    case Control::PictKoz:
        return QStringLiteral("Открытая карта, кандидат в козыри");
    case Control::Hod:
        return QStringLiteral("Ход игрока %1").arg(index);
    default:
        return {};
    }
}

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

} // namespace vurp::ui
