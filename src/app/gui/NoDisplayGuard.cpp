#include "NoDisplayGuard.h"

#include "CommandLine.h"

#include <cstdio>
#include <cstdlib>

namespace zephyra {

namespace {

// Qt calls the handler without any context of ours: the guard's state lives here while it is held.
QStringList startArguments;
QStringList heldMessages;
QtMessageHandler previousHandler = nullptr;

void OnStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages << qFormatLogMessage(type, context, message);
        return;
    }
    const QString error = ParseCommandLine(startArguments).error;
    std::fprintf(stderr, "zephyra-explorer: %s\n", error.isEmpty() ? "no display" : qPrintable(error));
    std::fflush(stderr);
    std::_Exit(error.isEmpty() ? 1 : 2);
}

} // namespace

NoDisplayGuard::NoDisplayGuard(const QStringList& arguments)
{
    startArguments = arguments;
    previousHandler = qInstallMessageHandler(OnStartMessage);
}

NoDisplayGuard::~NoDisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const QString& message : heldMessages)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    heldMessages.clear();
}

} // namespace zephyra
