// vurp: the card table.
#include <QApplication>
#include <QStyleFactory>

#include "main_window.h"
#include "random.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Fusion honours the colours the game gives its buttons and boxes on every
    // desktop; native styles may ignore them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    vurp::ClockRandom random;
    vurp::ui::MainWindow window(random);
    window.show();
    return QApplication::exec();
}
