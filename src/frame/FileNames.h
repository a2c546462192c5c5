#pragma once
#include <QString>

#include <filesystem>
#include <string_view>

class QUrl;

namespace zephyra {

// File names are bytes, and Qt turns every byte of a name that is not UTF-8 into U+FFFD, so such
// a file could never be opened again. The window program carries those bytes in a QString as the
// lone surrogates U+DC80..U+DCFF instead, and turns them back into the same bytes.

// A name from the command line or from the file system, whatever its bytes.
[[nodiscard]] QString FileNameFromBytes(std::string_view bytes);
// The bytes of a name made by FileNameFromBytes. A name that came through Qt's own decoding (a
// file dialog) may hold U+FFFD: each part that does is matched against the entries of its folder.
[[nodiscard]] std::filesystem::path FileNamePath(const QString& name);
// The local file of a dropped URL, with the bytes of its name kept.
[[nodiscard]] QString FileNameFromUrl(const QUrl& url);

} // namespace zephyra
