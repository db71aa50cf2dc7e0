// vurp_floor: the bare window Vurp's start-up is measured against. Started
// from the repository root, as Vurp is, so that it finds Pict/.
//
// vurp_floor --before-deal hides as many controls of each kind as the table
// hides before its first deal, the card boxes among them, and loads no
// picture.
#include <QApplication>
#include <QStyleFactory>

#include <memory>

#include "floor_window.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    using vurp::bench::FloorState;
    const bool beforeDeal = QCoreApplication::arguments().contains(QStringLiteral("--before-deal"));
    const std::unique_ptr<QWidget> window(
        vurp::bench::BuildFloorWindow(beforeDeal ? FloorState::BeforeDeal : FloorState::Dealt));
    window->show();
    return QApplication::exec();
}
