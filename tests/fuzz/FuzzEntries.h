#pragma once
#include <cstddef>
#include <cstdint>

namespace zephyra::fuzz {

// The entry points the libFuzzer targets and the corpus replay share. Each takes arbitrary bytes,
// drives the program as a user's file or typed code would, and aborts on a broken invariant so that
// both the fuzzer and the replay see it as a crash. They return 0 as libFuzzer expects.

// A code text (up to the first newline), optionally followed by four raw floats for the start point:
// the record, a computation of a few thousand points without search and a record round trip.
int FuzzAttractorCode(const std::uint8_t* data, std::size_t size);
// The bytes as a configuration file: read, written, read again; the second write must equal the first.
int FuzzConfiguration(const std::uint8_t* data, std::size_t size);
// The bytes as a ".zpr" document: opened, saved and reopened, then joined to what was opened.
int FuzzDocument(const std::uint8_t* data, std::size_t size);
// The bytes as a picture file: its pixels, then the record and settings text it carries, as the
// window and `render --from` open it.
int FuzzPicture(const std::uint8_t* data, std::size_t size);
// The bytes as a `zephyra` command line, one argument a line: parsed, then its options read as the
// commands read them.
int FuzzCommandLine(const std::uint8_t* data, std::size_t size);

} // namespace zephyra::fuzz
