// vurp-cardgen FOLDER: draws the 36 card faces and the card back into FOLDER as
// <code>.bmp and rubashka.bmp, 71 x 96 pixels, 24 bits, the pictures the game
// loads; and beside each, drawn anew at twice and three times the size for
// screens with a device pixel ratio above 1, <name>@2x.png and <name>@3x.png
// (Qt's naming of such variants).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <cstdio>

#include "card_art.h"
#include "cards.h"

namespace {

bool Save(const QImage &image, const QString &path, const char *format) {
    // Quality 0 asks PNG for its strongest compression; BMP ignores it.
    if (image.isNull() || !image.save(path, format, 0)) {
        QTextStream(stderr) << "vurp-cardgen: cannot write " << path << '\n';
        return false;
    }
    return true;
}

const QString kBack = QStringLiteral("rubashka");

QImage Draw(const QString &name, int scale) {
    return name == kBack ? vurp::art::DrawBack(scale) : vurp::art::DrawFace(name, scale);
}

// The picture the game loads, and the same drawn anew at twice and three times
// its size.
bool SaveAllSizes(const QDir &folder, const QString &name) {
    bool ok = Save(Draw(name, 1), folder.filePath(name + QStringLiteral(".bmp")), "BMP");
    for (const int scale : {2, 3}) {
        const QString file = name + QStringLiteral("@%1x.png").arg(scale);
        ok = Save(Draw(name, scale), folder.filePath(file), "PNG") && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[]) {
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vurp-cardgen FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "vurp-cardgen: cannot create " << folder.path() << '\n';
        return 1;
    }
    bool ok = SaveAllSizes(folder, kBack);
    for (const char suit : vurp::SuitLetters) {
        for (char rank = '1'; rank <= '9'; ++rank) {
            ok = SaveAllSizes(folder, QString(QChar(rank)) + QChar(suit)) && ok;
        }
    }
    return ok ? 0 : 1;
}
