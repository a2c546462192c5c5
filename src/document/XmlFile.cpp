#include "XmlFile.h"

#include "AtomicFile.h"

#include <cstring>
#include <string>

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

bool LoadXmlFile(pugi::xml_document& document, const std::filesystem::path& path)
{
    return static_cast<bool>(document.load_file(path.c_str()));
}

pugi::xml_node StartXmlDocument(pugi::xml_document& document, const char* rootName)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    return document.append_child(rootName);
}

bool SaveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path)
{
    StringWriter writer;
    document.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return WriteFileAtomically(path, writer.text);
}

std::vector<pugi::xml_node> ElementsByName(pugi::xml_node document, const char* name)
{
    NamedElementFinder finder(name);
    document.traverse(finder);
    return std::move(finder.found);
}

} // namespace zephyra
