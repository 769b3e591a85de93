// Runs every test inside one QApplication on the offscreen platform, with the
// tests' own fonts. Any Qt warning fails the test that caused it.
#include "framework/message_filter.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void FailOnQtWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform has no window manager to pass a fixed window
    // size to, and says so for every such window; real platforms do not.
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    ADD_FAILURE() << "Qt printed: " << message.toStdString();
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FONTCONFIG_FILE", VANTOR_TEST_FONTCONFIG);
    const QByteArray runtimeDir = VANTOR_TEST_RUNTIME_DIR;
    QDir().mkpath(QString::fromUtf8(runtimeDir));
    QFile::setPermissions(
        QString::fromUtf8(runtimeDir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir);
    // Dialogs remember folders in the user's settings; tests keep their own.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qInstallMessageHandler(FailOnQtWarning);
    fw::InstallMessageFilter();

    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
