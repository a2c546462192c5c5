#include "FileNames.h"

#include <QUrl>

#include <string>
#include <system_error>

namespace zephyra {

namespace {

constexpr char16_t ESCAPE_BASE = 0xDC00;
constexpr char16_t REPLACEMENT = 0xFFFD;

// The length of the valid UTF-8 sequence at the start of `bytes`, or 0.
std::size_t Utf8Length(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    if (lead < 0x80)
        length = 1;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF5)
        length = 4;
    if (length == 0 || length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            return 0;
    // Over-long forms, surrogates and code points beyond U+10FFFF are not UTF-8 either.
    const auto second = static_cast<unsigned char>(bytes.size() > 1 ? bytes[1] : 0);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

std::string Bytes(const QString& part)
{
    std::string bytes;
    QString run;
    auto flush = [&] {
        bytes += run.toStdString();
        run.clear();
    };
    for (const QChar c : part) {
        const char16_t u = c.unicode();
        if (u >= ESCAPE_BASE + 0x80 && u <= ESCAPE_BASE + 0xFF) {
            flush();
            bytes += static_cast<char>(u - ESCAPE_BASE);
        } else {
            run += c;
        }
    }
    flush();
    return bytes;
}

// The entry of `folder` that Qt would show as `shown`, when there is exactly one.
std::filesystem::path MatchEntry(const std::filesystem::path& folder, const QString& shown)
{
    std::filesystem::path found;
    int matches = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) == shown) {
            found = entry.path().filename();
            ++matches;
        }
    }
    return matches == 1 ? found : std::filesystem::path(Bytes(shown));
}

} // namespace

QString FileNameFromBytes(std::string_view bytes)
{
    QString name;
    while (!bytes.empty()) {
        std::size_t valid = 0;
        while (valid < bytes.size()) {
            const std::size_t length = Utf8Length(bytes.substr(valid));
            if (length == 0)
                break;
            valid += length;
        }
        name += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(valid));
        bytes.remove_prefix(valid);
        if (!bytes.empty()) {
            name += QChar(static_cast<char16_t>(ESCAPE_BASE + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        }
    }
    return name;
}

std::filesystem::path FileNamePath(const QString& name)
{
    if (!name.contains(QChar(REPLACEMENT)))
        return Bytes(name);
    std::filesystem::path path = name.startsWith('/') ? "/" : "";
    for (const QString& part : name.split('/', Qt::SkipEmptyParts))
        path /=
            part.contains(QChar(REPLACEMENT)) ? MatchEntry(path, part) : std::filesystem::path(Bytes(part));
    return path;
}

QString FileNameFromUrl(const QUrl& url)
{
    // The encoded form keeps a byte that is not UTF-8 as %XX, where toLocalFile() would lose it.
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return url.isLocalFile()
               ? FileNameFromBytes(std::string_view(path.constData(), static_cast<std::size_t>(path.size())))
               : QString();
}

} // namespace zephyra
