// Runs every test inside one QApplication on the offscreen platform, with the
// tests' own fonts, locale and folders. Any Qt warning that the test does not
// expect fails it.
#include "app/startup.h"
#include "framework/message_filter.h"
#include "test_support.h"

#include <cstdlib>

QStringList &ExpectedQtMessages()
{
    static QStringList expected;
    return expected;
}

namespace {

void FailOnQtWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform has no window manager to pass a fixed window
    // size or a raise to, and says so; real platforms do not.
    if (message == QLatin1String("This plugin does not support propagateSizeHints()")
        || message == QLatin1String("This plugin does not support raise()"))
        return;
    for (const QString &expected : ExpectedQtMessages()) {
        if (message.startsWith(expected)) {
            ExpectedQtMessages().removeOne(expected);
            return;
        }
    }
    ADD_FAILURE() << "Qt printed: " << message.toStdString();
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    // Nothing of the machine's own set-up may change a result.
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE",
             "QT_QPA_PLATFORMTHEME", "QT_LOGGING_RULES", "LANGUAGE"})
        qunsetenv(name);
    qputenv("LC_ALL", "C.UTF-8");
    // A desktop's screen, 1920 x 1080 unless the set-up asks for another
    // (VANTOR_TEST_SCREEN="width height devicePixelRatio").
    const QTemporaryDir home;
    const QStringList screen = QString::fromLocal8Bit(qgetenv("VANTOR_TEST_SCREEN")).split(QLatin1Char(' '));
    QFile screens(home.filePath(QStringLiteral("screens.json")));
    if (!screens.open(QIODevice::WriteOnly))
        return 1;
    screens.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,)"
                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3}]})")
                      .arg(screen.size() == 3 ? screen[0] : QStringLiteral("1920"),
                          screen.size() == 3 ? screen[1] : QStringLiteral("1080"),
                          screen.size() == 3 ? screen[2] : QStringLiteral("1"))
                      .toUtf8());
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        qputenv("FONTCONFIG_FILE", VANTOR_TEST_FONTCONFIG);
    for (const char *name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(name, home.path().toUtf8());
    qInstallMessageHandler(FailOnQtWarning);
    fw::InstallMessageFilter();

    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The application object with the menu bar that the window shares.
    vantor::NewAppInstance();
    const int failed = RUN_ALL_TESTS();
    return failed;
}
