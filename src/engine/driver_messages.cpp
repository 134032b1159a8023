#include "engine/driver_messages.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler s_previous = nullptr;

void Filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Unable to free statement:")))
        return;
    if (s_previous)
        s_previous(type, context, message);
}

} // namespace

void InstallDriverMessageFilter()
{
    if (!s_previous)
        s_previous = qInstallMessageHandler(Filter);
}
