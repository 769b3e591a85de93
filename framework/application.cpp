#include "framework/application.h"

#include "framework/message_filter.h"
#include "framework/window.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fw {

namespace {

struct Runtime {
    int argc = 0;
    std::vector<char *> argv;
    std::unique_ptr<QApplication> toolkit;
    std::unique_ptr<Application> application;
    int exitStatus = 0;
};

// The one toolkit object Qt allows, and the application on it: the
// process's own, as Qt's QApplication is.
Runtime &TheRuntime()
{
    static Runtime runtime;
    return runtime;
}

// Messages of the toolkit's start are held back until it is known to have
// started: a start without a display says so in one clear line rather than
// Qt's plugin diagnostics and a core dump; a display that fails says which
// one, then what Qt said of it.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QByteArray programName;

void HoldStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    heldMessages.push_back({type, QByteArray(context.category), text});
    if (type != QtFatalMsg)
        return;
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (x11.isEmpty() && wayland.isEmpty()) {
        std::fprintf(stderr,
            "%s: cannot open a graphical display; run it in a desktop session (DISPLAY or "
            "WAYLAND_DISPLAY must be set)\n",
            programName.constData());
    } else {
        const QByteArray tried = x11.isEmpty() ? "WAYLAND_DISPLAY=" + wayland
            : wayland.isEmpty()                ? "DISPLAY=" + x11
                                               : "DISPLAY=" + x11 + ", WAYLAND_DISPLAY=" + wayland;
        std::fprintf(stderr, "%s: cannot start on the graphical display (%s); the toolkit says:\n",
            programName.constData(), tried.constData());
        for (const HeldMessage &message : heldMessages) {
            const QByteArray category
                = message.category.isEmpty() || message.category == "default" ? QByteArray() : message.category + ": ";
            std::fprintf(stderr, "%s%s\n", category.constData(), message.text.toLocal8Bit().constData());
        }
    }
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void RuntimeInit(int argc, char **argv)
{
    Runtime &runtime = TheRuntime();
    runtime.argc = argc;
    runtime.argv.assign(argv, argv + argc);
    runtime.argv.push_back(nullptr);
    programName = QFileInfo(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")).fileName().toLocal8Bit();

    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    runtime.toolkit = std::make_unique<QApplication>(runtime.argc, runtime.argv.data());
    qInstallMessageHandler(previous);
    InstallMessageFilter();
    for (const HeldMessage &message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

void SetApplicationIdentity(const ApplicationIdentity &identity)
{
    QGuiApplication::setDesktopFileName(QString::fromStdString(identity.desktopFileName));
    QGuiApplication::setApplicationDisplayName(QString::fromStdString(identity.displayName));
    QGuiApplication::setWindowIcon(QIcon(QString::fromStdString(identity.icon)));
}

void RegisterAppObject(std::unique_ptr<Application> application)
{
    TheRuntime().application = std::move(application);
}

Application *RegisteredApplication()
{
    return TheRuntime().application.get();
}

int RuntimeRun()
{
    TheRuntime().exitStatus = QApplication::exec();
    return TheRuntime().exitStatus;
}

void Quit(int exitCode)
{
    TheRuntime().exitStatus = exitCode;
    QCoreApplication::exit(exitCode);
}

int RuntimeExit()
{
    Runtime &runtime = TheRuntime();
    // The windows, and the fonts they drew with, before the toolkit.
    DestroyAllWindows();
    runtime.application.reset();
    runtime.toolkit.reset();
    return runtime.exitStatus;
}

} // namespace fw
