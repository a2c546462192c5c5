// Reading the root's children a piece at a time against a whole parse of the same text: the same
// children where the text is read in pieces, and the same verdict on what is ill-formed.
#include "XmlPieces.h"
#include "XmlWellFormed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

using namespace zephyra;

namespace {

// An element as text: its name, attributes and children, references expanded.
std::string Outline(pugi::xml_node element)
{
    std::ostringstream out;
    element.print(out, "", pugi::format_raw);
    return out.str();
}

// The children of the root read in pieces; nothing when the text was not read that way.
std::optional<std::vector<std::string>> InPieces(const std::string& text)
{
    std::vector<std::string> children;
    if (!ReadRootChildrenInPieces(text, [&](pugi::xml_node, pugi::xml_node child) {
            children.push_back(Outline(child));
            return true;
        }))
        return std::nullopt;
    return children;
}

// The element children of the root of a whole parse, as the readers took them before.
std::vector<std::string> Whole(const std::string& text)
{
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(text.data(), text.size()));
    std::vector<std::string> children;
    for (const pugi::xml_node child : document.document_element().children())
        if (child.type() == pugi::node_element)
            children.push_back(Outline(child));
    return children;
}

// Where pieces are read, the text is well-formed and they are the whole parse's children.
void ExpectSameAsWhole(const std::string& text)
{
    const auto pieces = InPieces(text);
    if (pieces) {
        ASSERT_TRUE(IsWellFormedXml(text)) << text.substr(0, 200);
        EXPECT_EQ(*pieces, Whole(text)) << text.substr(0, 200);
    }
}

std::string Document(const std::string& records)
{
    return "<?xml version=\"1.0\"?>\n<zephyraSaved>\n" + records + "</zephyraSaved>\n";
}

// Many records, so that the text falls into several pieces.
std::string ManyRecords(int count)
{
    std::string records;
    for (int i = 0; i < count; ++i)
        records += "\t<attractor config=\"E" + std::to_string(i) + "\" note=\"a &gt; b &amp; c/\" x0='0.5'" +
                   (i % 3 == 0 ? "><child a=\"1\"/></attractor>\n" : " />\n");
    return records;
}

} // namespace

TEST(XmlPieces, ALargeDocumentIsReadInPiecesAsAWholeParseReadsIt)
{
    const std::string text = Document(ManyRecords(20000)); // about 1.5 MB: several pieces
    const auto pieces = InPieces(text);
    ASSERT_TRUE(pieces);
    EXPECT_EQ(pieces->size(), 20000u);
    EXPECT_EQ(*pieces, Whole(text));
    EXPECT_NE((*pieces)[1].find("note=\"a > b &amp; c/\""), std::string::npos) << (*pieces)[1];
    // Text between the records, declarations and comments around the root.
    ExpectSameAsWhole("<?xml version='1.0' encoding='UTF-8'?><!-- made by hand -->\n<list a='1'>text <r/>"
                      "&amp; more<r b='&#x41;'>inner</r></list><!-- end -->\n");
    ExpectSameAsWhole("<list></list>");
    ExpectSameAsWhole("<list>   </list>");
}

TEST(XmlPieces, AnIllFormedTextIsNeverReadInPieces)
{
    const std::string many = ManyRecords(5000);
    for (const std::string& text : {
             Document(many + "<r a='1' a='2'/>"),    // an attribute twice, in the last piece
             Document(many + "<r a='x &nbsp; y'/>"), // a reference to no entity
             Document(many + "<r a='x & y'/>"),      // a raw "&"
             Document(many + "<r>&bogus;</r>"),      // the same in a text
             Document(many + "<r>"),                 // an element never closed
             Document(many + "</r>"),                // an end tag of none
             Document(many + "<r a='1></r>"),        // a value never closed
             Document(many) + "<second/>",           // a second root
             Document(many) + "tail",                // text after the root
             "<zephyraSaved>" + many + "</other>",   // the root closed by another name
             std::string("<a><b></a></b>"),          // crossed elements
         }) {
        EXPECT_FALSE(InPieces(text)) << text.substr(text.size() - 60);
        EXPECT_FALSE(IsWellFormedXml(text));
    }
}

// What a whole parse reads differently is left to it.
TEST(XmlPieces, WhatNeedsAWholeParseIsLeftToIt)
{
    for (const std::string& text : {
             Document("<r/><!-- a comment --><r/>"),
             Document("<r/><![CDATA[<r/>]]>"),
             Document("<r/><?pi data?>"),
             std::string("<?xml version='1.0' encoding='ISO-8859-1'?><list><r a='\xe9'/></list>"),
             std::string("\xef\xbb\xbf<list><r/></list>"), // a byte-order mark
             std::string("<!DOCTYPE list [<!ENTITY e 'x'>]><list><r/></list>"),
             std::string("<list/>"),
         })
        EXPECT_FALSE(InPieces(text)) << text;
    // A reader that refuses a child ends the reading.
    EXPECT_FALSE(
        ReadRootChildrenInPieces(Document("<r/><r/>"), [](pugi::xml_node, pugi::xml_node) { return false; }));
}

TEST(XmlPieces, EveryFileOfTheFuzzCorpusReadsAsAWholeParse)
{
    int files = 0;
    for (const char* folder : {"document", "configuration"})
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(ZEPHYRA_FUZZ_CORPUS) / folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ExpectSameAsWhole(text);
            ++files;
        }
    EXPECT_GE(files, 9);
}
