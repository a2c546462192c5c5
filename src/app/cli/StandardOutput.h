#pragma once
#include <array>
#include <ostream>
#include <streambuf>

namespace zephyra::cli {

// Standard output written with write(2) through a buffer of its own, which keeps the reason of a
// failed write (a full disk, a closed descriptor), where stdio only keeps that one failed.
class StandardOutput : private std::streambuf {
public:
    StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    [[nodiscard]] std::ostream& Stream() { return stream_; }
    // Writes what is held. Returns `code`, or EXIT_FAILED in place of success when not all the
    // data arrived, after saying why on `err` ("write error: No space left on device").
    [[nodiscard]] int Close(int code, std::ostream& err);

private:
    int_type overflow(int_type c) override;
    int sync() override;
    // Writes the buffer out and empties it; false once a write has failed.
    bool Drain();

    std::array<char, 1 << 16> buffer_{};
    int error_ = 0; // errno of the first failed write
    std::ostream stream_;
};

} // namespace zephyra::cli
