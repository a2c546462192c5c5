#include "CommandProgress.h"

#include "CliHost.h"
#include "Subcommand.h"

namespace zephyra::cli {

CommandProgress::CommandProgress(CliHost& host, CommandIo& io) : host_(host), io_(io), bar_(io.err) {}

CommandProgress::~CommandProgress()
{
    bar_.Clear();
}

void CommandProgress::operator()(double fraction)
{
    if (host_.EscapePressed())
        stop_.request_stop();
    if (io_.ShowsProgress() && !Stopped())
        bar_.Show(fraction);
}

} // namespace zephyra::cli
