#include "StandardOutput.h"

#include "Subcommand.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace zephyra::cli {

StandardOutput::StandardOutput() : stream_(this)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool StandardOutput::Drain()
{
    for (const char* p = pbase(); p < pptr() && error_ == 0;) {
        const ssize_t written = write(STDOUT_FILENO, p, static_cast<std::size_t>(pptr() - p));
        if (written >= 0)
            p += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    // After a failure nothing more can arrive in order: what is held is dropped.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

StandardOutput::int_type StandardOutput::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardOutput::sync()
{
    return Drain() ? 0 : -1;
}

int StandardOutput::Close(int code, std::ostream& err)
{
    if (Drain())
        return code;
    err << "zephyra: write error: " << std::strerror(error_) << "\n";
    return code == EXIT_OK ? EXIT_FAILED : code;
}

} // namespace zephyra::cli
