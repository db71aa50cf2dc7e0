// vurp: the card table.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTranslator>

#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "main_window.h"
#include "random.h"
#include "scaled_table.h"
#include "settings.h"

namespace {

// Help and the version are text on the terminal: they must work where there
// is no display, so they are answered before any window system is opened.
bool AsksForTextOnly(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            return false;
        }
        if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "-v" ||
            argument == "--version") {
            return true;
        }
    }
    return false;
}

// Qt aborts where it cannot reach the window system it is to open: without a
// display the command line is read first, and the program says why it stops.
bool NoWindowSystem(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform" ||
            argument.starts_with("-platform=") || argument.starts_with("--platform=")) {
            return false;
        }
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) {
        return false;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

[[noreturn]] void Refuse(const QString &error) {
    const QByteArray name = QCoreApplication::applicationName().toLocal8Bit();
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", name.constData(),
                 error.toLocal8Bit().constData(), name.constData());
    std::exit(2);
}

// A seed as the replay driver reads it: decimal digits only, at most 2^64 - 1.
std::optional<std::uint64_t> ReadSeed(const QString &text) {
    const QByteArray digits = text.toLatin1();
    std::uint64_t seed = 0;
    const char *end = digits.constData() + digits.size();
    const auto [stop, error] = std::from_chars(digits.constData(), end, seed);
    if (digits.isEmpty() || text.size() != digits.size() || error != std::errc() || stop != end ||
        digits.front() == '-' || digits.front() == '+') {
        return std::nullopt;
    }
    return seed;
}

// Answers --help, --help-all and --version and exits; refuses, with status 2,
// any other option or argument. Qt's own options (-platform, -style, ...) are
// no longer among the arguments once a QApplication has read them. The seed
// of --seed N, if given.
std::optional<std::uint64_t> ReadCommandLine(const QCoreApplication &app) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Карточная игра «Вурп»: вы против двух компьютерных игроков."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("Начать новую игру, случайные числа которой дает генератор записи игр "
                       "из состояния N (как строка \"seed N\" у vurp-replay): так игру можно "
                       "повторить. Прежняя игра остается среди сыгранных."),
        QStringLiteral("N"));
    parser.addOption(seed);
    const bool understood = parser.parse(QCoreApplication::arguments());
    // Before the mistakes: without a QApplication a Qt option beside --help
    // is unknown here, and still no reason to refuse.
    if (parser.isSet(version)) {
        parser.showVersion();
    }
    if (parser.isSet(help)) {
        parser.showHelp();
    }
    if (!understood) {
        Refuse(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        Refuse(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().front()));
    }
    // What is left to answer is --help-all, which lists Qt's options too.
    parser.process(app);
    if (!parser.isSet(seed)) {
        return std::nullopt;
    }
    const auto state = ReadSeed(parser.value(seed));
    if (!state) {
        Refuse(QStringLiteral("The seed must be a whole number from 0 to 18446744073709551615, "
                              "not '%1'.")
                   .arg(parser.value(seed)));
    }
    return state;
}

// The window at the size the player left it at, or at the size that fits the
// screen the first time.
void ShowAtRememberedSize(QWidget &window) {
    const auto settings = vurp::ui::OpenSettings();
    std::optional<QSize> remembered;
    if (const QSize size = settings->value(QStringLiteral("window/size")).toSize();
        size.isValid()) {
        remembered = size;
    }
    window.resize(vurp::ui::StartSize(window, vurp::ui::ScreenRoom(window), remembered));
    if (settings->value(QStringLiteral("window/maximized")).toBool()) {
        window.showMaximized();
    } else {
        window.show();
    }
}

void RememberSize(const QWidget &window) {
    const auto settings = vurp::ui::OpenSettings();
    settings->setValue(QStringLiteral("window/size"), window.normalGeometry().size());
    settings->setValue(QStringLiteral("window/maximized"), window.isMaximized());
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("vurp"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VURP_VERSION));
    // The same as the window title, which therefore stays exactly "Вурп".
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Вурп"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Vurp"));
    if (AsksForTextOnly(argc, argv)) {
        const QCoreApplication app(argc, argv);
        ReadCommandLine(app);
        return EXIT_SUCCESS;
    }
    if (NoWindowSystem(argc, argv)) {
        const QCoreApplication app(argc, argv);
        ReadCommandLine(app);
        std::fputs("vurp: no display to open the window on: neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    const std::optional<std::uint64_t> seed = ReadCommandLine(app);
    // A file size limit must not kill the game: a write beyond it fails, and
    // the journal says so.
    std::signal(SIGXFSZ, SIG_IGN);
    // Fusion honours the colours the game gives its buttons and boxes on every
    // desktop; native styles may ignore them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Qt's own words (the file dialogs, the stake box's context menu) in
    // Russian like every other; where Qt's translations are not installed
    // they stay in English.
    QTranslator qtWords;
    if (qtWords.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtWords);
    }
    vurp::ClockRandom random;
    vurp::ui::MainWindow window(random);
    // About half a second between the computer players' moves, unless the
    // player chose otherwise.
    window.SetPace(vurp::ui::OpenSettings()->value(QStringLiteral("pace"), 500).toInt());
    window.KeepJournal(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), seed);
    ShowAtRememberedSize(window);
    const int status = QApplication::exec();
    RememberSize(window);
    return status;
}
