#include "DisplayCheck.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lumetra {
namespace {

QtMessageHandler previousHandler = nullptr;

void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Platform-plugin chatter during start-up is summed up by the one line below.
    const bool fromPlatformPlugin = context.category && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg) {
        std::fputs("lumetra: 無法連線到顯示器，請在圖形桌面中啟動（或設定 DISPLAY）。\n", stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (fromPlatformPlugin)
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

void installStartupDisplayCheck()
{
    previousHandler = qInstallMessageHandler(startupMessageHandler);
}

void removeStartupDisplayCheck()
{
    qInstallMessageHandler(previousHandler);
}

} // namespace lumetra
