// vurp-cardgen FOLDER: draws the 36 card faces and the card back into FOLDER as
// <code>.bmp and rubashka.bmp, 71 x 96 pixels, 24 bits.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <cstdio>

#include "card_art.h"

namespace {

bool Save(const QImage &image, const QDir &folder, const QString &name) {
    const QString path = folder.filePath(name + QStringLiteral(".bmp"));
    if (image.isNull() || !image.save(path, "BMP")) {
        QTextStream(stderr) << "vurp-cardgen: cannot write " << path << '\n';
        return false;
    }
    return true;
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
    bool ok = Save(vurp::art::DrawBack(), folder, QStringLiteral("rubashka"));
    for (const char suit : {'p', 'k', 'b', 'c'}) {
        for (char rank = '1'; rank <= '9'; ++rank) {
            const QString code = QString(QChar(rank)) + QChar(suit);
            ok = Save(vurp::art::DrawFace(code), folder, code) && ok;
        }
    }
    return ok ? 0 : 1;
}
