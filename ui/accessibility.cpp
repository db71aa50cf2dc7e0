#include "accessibility.h"

#include <QAccessibleWidget>

#include "cards.h"
#include "event_sentences.h"
#include "widgets.h"

namespace vurp::ui {

namespace {

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
    return QString::fromStdString(CardWords(picture));
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
