#include "framework/message_filter.h"

#include <QString>
#include <QtGlobal>

namespace fw {
namespace {

QtMessageHandler next = nullptr;

void Filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.trimmed().startsWith(QLatin1String("OpenType support missing for")))
        return;
    if (next)
        next(type, context, message);
}

} // namespace

void InstallMessageFilter()
{
    next = qInstallMessageHandler(Filter);
}

} // namespace fw
