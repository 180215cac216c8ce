// Palette definition files: the merge rules, what is ignored, bad files, the
// default file, and the palette installed beside the host.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "TEParameters.h"
#include "TERecords.h"
#include "blocks/TEOperatorTable.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteTestSupport.h"

using namespace palettetest;

namespace {

class PaletteFileTest : public ::testing::Test {
protected:
    PaletteFolderList Read(const std::string& xml, const char* mode = "normalmode")
    {
        PaletteFolderList folders;
        m_bRead = ReadPaletteFile(m_Scratch.Write("p.xml", xml).c_str(), "objectbar", mode, folders, nullptr);
        return folders;
    }

    // "folder/group: item=command, ..." for each group, in order.
    static std::vector<std::string> Describe(const PaletteFolderList& folders)
    {
        std::vector<std::string> rows;
        for (auto& folder : folders)
            for (auto& group : folder->m_Groups) {
                std::string row = folder->m_strName + "/" + group->m_strName + ":";
                for (auto& item : group->m_Items)
                    row += " " + item->m_strName + "=" + item->m_strCommand + "|" + item->m_strIcon;
                rows.push_back(row);
            }
        return rows;
    }

    ScratchFolder m_Scratch;
    TraceLines m_Trace;
    bool m_bRead = false;
};

TEST_F(PaletteFileTest, FoldersAndGroupsOfTheSameNameMergeInDocumentOrder)
{
    auto folders = Read(PaletteXml(
        Folder("Blocks", Group("In", Control("a", "k=1")) + Group("Out", Control("b", "k=2"))) +
        Folder("Other", Group("G", Control("c", "k=3"))) +
        Folder("Blocks", Group("In", Control("d", "k=4") + Control("a", "k=1")) + Group("More", "")) +
        // Names compare exactly: a folder differing only in case is a folder of its own.
        Folder("blocks", Group("In", Control("e", "k=5")))));
    EXPECT_EQ(Describe(folders), (std::vector<std::string>{
                                     "Blocks/In: a=k=1| d=k=4| a=k=1|",
                                     "Blocks/Out: b=k=2|",
                                     "Blocks/More:",
                                     "Other/G: c=k=3|",
                                     "blocks/In: e=k=5|",
                                 }));
    EXPECT_TRUE(folders[0]->m_Groups[0]->m_bExpanded);
}

TEST_F(PaletteFileTest, OnlyTheFirstModeElementAndOnlyKnownElementsCount)
{
    auto folders = Read(
        "<objectbar>text<!-- c --><editmode>" + Folder("Edit", Group("G", Control("x", "k=x"))) +
        "</editmode><normalmode><!-- comment -->loose text<ObjectType name=\"Case\"/>" +
        Folder("First", "<unknown/>" + Group("G", "<Control class=\"no\"/>" + Control("i", "k=i"))) +
        "</normalmode><normalmode>" + Folder("Second", Group("G", Control("j", "k=j"))) +
        "</normalmode></objectbar>");
    EXPECT_EQ(Describe(folders), std::vector<std::string>{"First/G: i=k=i|"});
}

TEST_F(PaletteFileTest, TextsResolveEntitiesAndTakeTheFirstIconAndCfgWithContent)
{
    auto folders = Read(PaletteXml(Folder(
        "A &amp; B", Group("G", "<control class=\"x&lt;y\"><icon/><cfg></cfg><icon>a\\b.png</icon>"
                                "<cfg>newobject=.\\Add Devices &amp; Interfaces\\Q.ds</cfg><cfg>late</cfg></control>"))));
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0]->m_strName, "A & B");
    auto& item = *folders[0]->m_Groups[0]->m_Items[0];
    EXPECT_EQ(item.m_strName, "x<y");
    EXPECT_EQ(item.m_strIcon, "a\\b.png");
    EXPECT_EQ(item.m_strCommand, "newobject=.\\Add Devices & Interfaces\\Q.ds");
    EXPECT_EQ(item.m_pBitmap, nullptr);
}

TEST_F(PaletteFileTest, EntriesWithoutNamesAreSkippedWithTheirContentAndTraced)
{
    auto folders = Read(PaletteXml(
        "<objecttype>" + Group("Lost", Control("lost", "k=0")) + "</objecttype>\n" +
        Folder("F", "\n<group>" + Control("lost too", "k=0") + "</group>" +
                        Group("G", "\n<control><cfg>k=1</cfg></control>\n<control class=\"bare\"/>"))));
    EXPECT_EQ(Describe(folders), std::vector<std::string>{"F/G: =k=1| bare=|"});
    EXPECT_TRUE(m_Trace.Contains("line 2: objecttype without name"));
    EXPECT_TRUE(m_Trace.Contains("line 4: group without name"));
    EXPECT_TRUE(m_Trace.Contains("line 5: control without class"));
    EXPECT_TRUE(m_Trace.Contains("line 6: control without cfg"));
}

TEST_F(PaletteFileTest, ACommandTooLongForADropIsSkipped)
{
    std::string longest(PALETTE_COMMAND_MAX - 2, 'x');
    auto folders = Read(PaletteXml(Folder("F", Group("G", Control("fits", "k=" + longest) +
                                                              Control("too long", "k=" + longest + "x")))));
    ASSERT_EQ(folders.at(0)->m_Groups.at(0)->m_Items.size(), 1u);
    EXPECT_EQ(folders[0]->m_Groups[0]->m_Items[0]->m_strName, "fits");
    EXPECT_TRUE(m_Trace.Contains("longer than 4095"));
}

TEST_F(PaletteFileTest, WrongRootOrMissingModeAddsNothing)
{
    EXPECT_TRUE(
        Read("<palette><normalmode>" + Folder("F", Group("G", Control("a", "k=1"))) + "</normalmode></palette>")
            .empty());
    EXPECT_TRUE(m_Trace.Contains("root element is <palette>, not <objectbar>"));
    EXPECT_TRUE(Read(PaletteXml(Folder("F", "")), "editmode").empty());
    EXPECT_TRUE(m_Trace.Contains("no <editmode> element"));
}

// A file that cannot be read leaves what the palette already holds, and
// never adds the part before the fault.
TEST_F(PaletteFileTest, UnreadableFilesLeaveThePaletteAsItWas)
{
    const std::string good = Folder("Kept", Group("G", Control("a", "k=1")));
    const std::string bodyBeforeFault = PaletteXml(Folder("Half", Group("G", Control("b", "k=2"))));
    std::string deep = "<objectbar><normalmode>";
    for (int i = 0; i < 10000; ++i)
        deep += "<n>";
    struct Case {
        const char* what;
        std::string content;
        const char* traced;
    } cases[] = {
        {"missing", "", "not read"},
        {"malformed", bodyBeforeFault.substr(0, bodyBeforeFault.size() - 12), "not read: line"},
        {"not closed", "<objectbar><normalmode>" + Folder("F", Group("G", Control("a", "k"))), "not read"},
        {"invalid encoding", PaletteXml(Folder("Bad \xC3\x28 name", "")), "not read"},
        {"declared encoding it is not", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + PaletteXml(good), "not read"},
        {"nesting 10,000 deep", deep, "not read"},
        {"empty", " ", "not read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaletteFolderList folders;
        ReadPaletteFile(m_Scratch.Write("good.xml", PaletteXml(good)).c_str(), "objectbar", "normalmode", folders,
                        nullptr);
        std::string path = std::string(c.what) == "missing" ? m_Scratch.Path("absent.xml")
                                                             : m_Scratch.Write("bad.xml", c.content);
        size_t before = m_Trace.Lines().size();
        EXPECT_FALSE(ReadPaletteFile(path.c_str(), "objectbar", "normalmode", folders, nullptr));
        EXPECT_EQ(Describe(folders), std::vector<std::string>{"Kept/G: a=k=1|"});
        ASSERT_EQ(m_Trace.Lines().size(), before + 1);
        EXPECT_NE(m_Trace.Lines().back().find(path), std::string::npos) << m_Trace.Lines().back();
        EXPECT_NE(m_Trace.Lines().back().find(c.traced), std::string::npos) << m_Trace.Lines().back();
    }
}

TEST_F(PaletteFileTest, FiftyMegabytesInOneTextAreRefusedWhole)
{
    std::string path = m_Scratch.Path("big.xml");
    {
        std::ofstream out(path, std::ios::binary);
        out << "<objectbar><normalmode>" << Folder("F", Group("G", Control("small", "k=1")))
            << "<objecttype name=\"Big\"><group name=\"G\"><control class=\"big\"><cfg>";
        std::string chunk(1 << 20, 'x');
        for (int i = 0; i < 50; ++i)
            out << chunk;
        out << "</cfg></control></group></objecttype></normalmode></objectbar>";
    }
    PaletteFolderList folders;
    EXPECT_FALSE(ReadPaletteFile(path.c_str(), "objectbar", "normalmode", folders, nullptr));
    EXPECT_TRUE(folders.empty());
    EXPECT_TRUE(m_Trace.Contains("not read"));
}

TEST_F(PaletteFileTest, OverlongPathsAreRefusedRatherThanCut)
{
    PaletteFolderList folders;
    std::string path(PALETTE_NAME_MAX + 1, 'p');
    EXPECT_FALSE(ReadPaletteFile(path.c_str(), "objectbar", "normalmode", folders, nullptr));
    EXPECT_TRUE(m_Trace.Contains("longer than 1023"));
}

// ---- The default file ----------------------------------------------------------

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(PaletteFileTest, TheDefaultFileHoldsTheHostTreeWithoutAModeLevel)
{
    const std::string path = a_MakeFullPathName(nullptr, "Menu\\objects.xml");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "an older file";
    WriteDefaultPaletteFile();

    const std::string text = ReadText(path);
    EXPECT_NE(text.find("<cfg>newobject=.\\Dialogs\\Add Devices &amp; Interfaces\\Q7700.ds</cfg>"),
              std::string::npos);
    EXPECT_EQ(text.find("older"), std::string::npos);

    // Its tree read with the object types as the mode level: the same
    // vocabulary, one level higher.
    PaletteFolderList none;
    EXPECT_TRUE(ReadPaletteFile(path.c_str(), "objectbar", "normalmode", none, nullptr));
    EXPECT_TRUE(none.empty());

    xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    ASSERT_NE(doc, nullptr);
    std::vector<std::string> types, groups;
    int controls = 0;
    std::string firstCfg, lastIcon;
    for (xmlNode* t = xmlDocGetRootElement(doc)->children; t; t = t->next) {
        if (t->type != XML_ELEMENT_NODE)
            continue;
        xmlChar* name = xmlGetProp(t, BAD_CAST "name");
        types.emplace_back(reinterpret_cast<char*>(name));
        xmlFree(name);
        for (xmlNode* g = t->children; g; g = g->next) {
            if (g->type != XML_ELEMENT_NODE)
                continue;
            name = xmlGetProp(g, BAD_CAST "name");
            groups.emplace_back(reinterpret_cast<char*>(name));
            xmlFree(name);
            for (xmlNode* c = g->children; c; c = c->next) {
                if (c->type != XML_ELEMENT_NODE)
                    continue;
                ++controls;
                xmlChar* icon = xmlNodeGetContent(c->children);
                xmlChar* cfg = xmlNodeGetContent(c->children->next);
                if (firstCfg.empty())
                    firstCfg = reinterpret_cast<char*>(cfg);
                lastIcon = reinterpret_cast<char*>(icon);
                xmlFree(icon);
                xmlFree(cfg);
            }
        }
    }
    xmlFreeDoc(doc);
    EXPECT_EQ(types, (std::vector<std::string>{"Devices", "Interfaces", "Controls"}));
    EXPECT_EQ(groups, (std::vector<std::string>{"Tovrin", "Amplifiers", "CAN Interfaces", "Tovrin Interfaces",
                                                "Button Controls", "Parameter Controls", "Display Controls",
                                                "Filter Controls", "Special Controls"}));
    EXPECT_EQ(controls, 35);
    EXPECT_EQ(firstCfg, "newobject=.\\Dialogs\\Add Devices & Interfaces\\Q7700.ds");
    EXPECT_EQ(lastIcon, "Controls\\Group.ico");
}

// ---- The palette installed beside the host --------------------------------------

TEST_F(PaletteFileTest, TheInstalledPaletteOffersEveryBlockOperatorAndDeviceLink)
{
    PaletteFolderList folders;
    std::string path = a_MakeFullPathName(nullptr, "Controls\\Interpreter.xml");
    ASSERT_TRUE(ReadPaletteFile(path.c_str(), "objectbar", "normalmode", folders, nullptr));
    EXPECT_TRUE(m_Trace.Lines().empty()) << m_Trace.Lines().front();

    std::set<tedevice::TEBlockKind> kinds;
    std::set<std::string> operators, keywords, connections, functions;
    for (auto& folder : folders)
        for (auto& group : folder->m_Groups)
            for (auto& item : group->m_Items) {
                SCOPED_TRACE(item->m_strName);
                EXPECT_FALSE(item->m_strName.empty());
                EXPECT_NE(item->GetBitmap(), nullptr) << item->m_strIcon;
                char keyword[REQUEST_TEXT_SIZE], parameter[REQUEST_TEXT_SIZE];
                a_GetKeyword(item->m_strCommand.c_str(), keyword);
                a_GetParameter(item->m_strCommand.c_str(), parameter);
                keywords.insert(keyword);
                EXPECT_NE(parameter[0], '\0');
                if (std::string(keyword) == "connection")
                    connections.insert(parameter);
                if (std::string(keyword) == "function")
                    functions.insert(parameter);
                if (std::string(keyword) != "TEProc")
                    continue;
                auto key = tedevice::ParseTypeKey(parameter);
                ASSERT_TRUE(key.has_value()) << parameter;
                kinds.insert(key->kind);
                if (key->kind == tedevice::TEBlockKind::Func && FindTEOperator(key->parameter.c_str()))
                    operators.insert(key->parameter);
            }
    EXPECT_EQ(keywords, (std::set<std::string>{"TEProc", "connection", "function"}));
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_EQ(operators.size(), size_t(TE_OPERATOR_COUNT));

    // A block bound from the palette alone must get a live value: every
    // connection and every function item meets a partner with which it
    // names one of the device's parameters ("<connection>.<function>").
    tedevice::TEParameters parameters;
    auto names = [&](const std::string& connection, const std::string& function) {
        return parameters.Find(connection + "." + function) != nullptr;
    };
    for (const auto& connection : connections)
        EXPECT_TRUE(std::any_of(functions.begin(), functions.end(),
                                [&](const std::string& function) { return names(connection, function); }))
            << "connection " << connection << " names no parameter";
    for (const auto& function : functions)
        EXPECT_TRUE(std::any_of(connections.begin(), connections.end(),
                                [&](const std::string& connection) { return names(connection, function); }))
            << "function " << function << " names no parameter";
}

}  // namespace
