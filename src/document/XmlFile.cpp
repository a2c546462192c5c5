#include "XmlFile.h"

#include "AtomicFile.h"
#include "XmlWellFormed.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephyra {

namespace {

class StringWriter : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
    std::string text;
};

// Walks the tree without recursion, so deeply nested files cannot exhaust the stack.
class NamedElementFinder : public pugi::xml_tree_walker {
public:
    explicit NamedElementFinder(const char* name) : name_(name) {}
    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_element && std::strcmp(node.name(), name_) == 0)
            found.push_back(node);
        return true;
    }
    std::vector<pugi::xml_node> found;

private:
    const char* name_;
};

} // namespace

std::optional<std::string> ReadRegularFileText(const std::filesystem::path& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> content;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.emplace();
        // Read into room of the file's size: grown step by step, the text would take up to twice it.
        content->reserve(static_cast<std::size_t>(info.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                content.reset();
            if (got <= 0)
                break;
            content->append(chunk, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    return content;
}

XmlRead ReadXmlFile(pugi::xml_document& document, const std::filesystem::path& path)
{
    document.reset();
    const std::optional<std::string> content = ReadRegularFileText(path);
    if (!content)
        return XmlRead::Unreadable;
    return LoadWellFormedXml(document, *content) ? XmlRead::Loaded : XmlRead::IllFormed;
}

bool LoadWellFormedXml(pugi::xml_document& document, std::string_view text)
{
    document.reset();
    if (!IsWellFormedXml(text))
        return false;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (parsed.status == pugi::status_out_of_memory)
        throw std::bad_alloc();
    if (!parsed) {
        document.reset();
        return false;
    }
    return true;
}

bool LoadXmlFile(pugi::xml_document& document, const std::filesystem::path& path)
{
    return ReadXmlFile(document, path) == XmlRead::Loaded;
}

pugi::xml_node StartXmlDocument(pugi::xml_document& document, const char* rootName)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    return document.append_child(rootName);
}

bool SaveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path)
{
    return SaveXmlFileSayingWhy(document, path).empty();
}

std::string SaveXmlFileSayingWhy(const pugi::xml_document& document, const std::filesystem::path& path)
{
    StringWriter writer;
    document.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return WriteFileSayingWhy(path, writer.text);
}

std::vector<pugi::xml_node> ElementsByName(pugi::xml_node document, const char* name)
{
    NamedElementFinder finder(name);
    document.traverse(finder);
    return std::move(finder.found);
}

} // namespace zephyra
