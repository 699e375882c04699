#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <pthread.h>

#include "framework/io/Trace.hpp"
#include "framework/io/XMLDocument.hpp"
#include "tests/io/TempFiles.hpp"

using namespace Vantor::IO;
using Vantor::Basics::CString;
using Vantor::Basics::CSystemString;

namespace
{

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

// Each test gets a document, scratch files and an open trace file.
class XMLFile : public Vantor::Testing::CTempFileTest
{
protected:
    void SetUp() override
    {
        CTempFileTest::SetUp();
        ASSERT_TRUE(CTrace::openTraceFile(CSystemString(path("trace.txt").c_str())));
    }

    void TearDown() override
    {
        CTrace::closeTraceFile();
        CTempFileTest::TearDown();
    }

    std::string trace() const { return readTextFile(path("trace.txt")); }

    CSystemString file(const char* name = "doc.xml") const { return CSystemString(path(name).c_str()); }

    bool readText(const std::string& text)
    {
        writeFile(path("doc.xml"), text);
        return document.readFile(file());
    }

    CXMLDocument document;
};

// Runs `work` on a thread with a small stack, so that work whose stack use grows
// with a tree's depth overflows at a depth a test can afford to build.
void runOnSmallStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    auto entry = [](void* argument) -> void*
    {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(0, pthread_create(&thread, &attributes, entry, const_cast<std::function<void()>*>(&work)));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

} // namespace

TEST(XMLAttribute, NamesAndTypedValues)
{
    CXMLAttribute attribute(CString(" my name "), CString("3.75"));
    EXPECT_STREQ(attribute.getName().getString(), "my_name") << "names never hold blanks";
    EXPECT_DOUBLE_EQ(attribute.getValueAsDouble(), 3.75);
    EXPECT_FLOAT_EQ(attribute.getValueAsFloat(), 3.75f);
    EXPECT_EQ(attribute.getValueAsLong(), 3);
    EXPECT_EQ(attribute.getValueAsInt(), 3);
    EXPECT_FALSE(attribute.getValueAsBool());
    attribute.setName(CString("\ta  b\n"));
    EXPECT_STREQ(attribute.getName().getString(), "a__b");
    attribute.setValue(true);
    EXPECT_TRUE(attribute.getValueAsBool());
    attribute.setValue("true");
    EXPECT_FALSE(attribute.getValueAsBool()) << "only \"True\" reads as true";

    // Typed values and their text forms; a C string is text, not a bool.
    const std::pair<CString, const char*> rows[] = {
        {CXMLAttribute("b", true).getValue(), "True"},    {CXMLAttribute("b", false).getValue(), "False"},
        {CXMLAttribute("d", 0.5).getValue(), "0.500000"}, {CXMLAttribute("f", 2.25f).getValue(), "2.250000"},
        {CXMLAttribute("l", -12L).getValue(), "-12"},     {CXMLAttribute("i", 7).getValue(), "7"},
        {CXMLAttribute("s", "text").getValue(), "text"},
    };
    for (const auto& [actual, expected] : rows)
    {
        EXPECT_STREQ(actual.getString(), expected);
    }
}

TEST(XMLNode, AttributesStayPackedInInsertionOrder)
{
    CXMLNode node(CString("node"));
    node.createAttribute("a", "1");
    node.addAttribute(new CXMLAttribute("b", 2L));
    node.addAttribute(nullptr);
    CXMLAttribute* c = node.createAttribute("c", "3");
    node.createAttribute("a", "second a");
    ASSERT_EQ(node.getNumberOfAttributes(), 4);
    EXPECT_EQ(c->getReferenceCount(), 1);

    EXPECT_STREQ(node.getAttributeValue("a").getString(), "1") << "the first of equal names";
    EXPECT_EQ(node.getAttribute("A"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(node.getAttribute(4), nullptr);

    node.deleteAttribute(CString("b"));
    ASSERT_EQ(node.getNumberOfAttributes(), 3);
    EXPECT_EQ(node.getAttribute(1), c);
    EXPECT_STREQ(node.getAttribute(2)->getValue().getString(), "second a");

    CXMLAttribute stranger("c", "3");
    node.deleteAttribute(&stranger);
    node.deleteAttribute(CString("missing"));
    EXPECT_EQ(node.getNumberOfAttributes(), 3);
}

TEST(XMLNode, ChildrenAreAdoptedAndReleased)
{
    auto* root = new CXMLNode(CString("root"));
    root->referenced();
    CXMLNode* first = root->createChildNode("first");
    auto* second = new CXMLNode(CString("second"));
    second->referenced(); // kept by the test too
    root->addChildNode(second);
    root->addChildNode(nullptr);

    EXPECT_EQ(second->getParentNode(), root);
    EXPECT_EQ(second->getReferenceCount(), 2);
    EXPECT_EQ(root->getChildNodeWithName("second"), second);
    EXPECT_EQ(root->getChildNodeWithName("third"), nullptr);

    root->deleteChildNode(second);
    EXPECT_EQ(root->getNumberOfChildNodes(), 1);
    EXPECT_EQ(root->getChildNode(0), first);
    EXPECT_EQ(second->getReferenceCount(), 1);
    EXPECT_EQ(second->getParentNode(), nullptr) << "a released child no longer points back";
    second->dereference();

    root->deleteChildNode(CString("first"));
    EXPECT_EQ(root->getNumberOfChildNodes(), 0);
    root->dereference();
}

TEST(XMLNode, ANodeCannotBecomeItsOwnDescendant)
{
    auto* root = new CXMLNode(CString("root"));
    root->referenced();
    CXMLNode* child = root->createChildNode("child");
    CXMLNode* grandchild = child->createChildNode("grandchild");

    root->addChildNode(root);
    child->addChildNode(root);
    grandchild->addChildNode(child);
    EXPECT_EQ(root->getNumberOfChildNodes(), 1);
    EXPECT_EQ(child->getNumberOfChildNodes(), 1);
    EXPECT_EQ(grandchild->getNumberOfChildNodes(), 0);
    EXPECT_EQ(root->getParentNode(), nullptr);
    EXPECT_EQ(child->getParentNode(), root);
    EXPECT_EQ(root->getReferenceCount(), 1);
    root->dereference();
}

TEST(XMLEscaping, EntitiesRoundTrip)
{
    const CString raw("a<b & \"c\"\n\r>");
    const CString escaped = CXMLDocument::escape(raw);
    EXPECT_STREQ(escaped.getString(), "a&lt;b &amp; &quot;c&quot;&#10;&#13;&gt;");
    EXPECT_STREQ(CXMLDocument::unescape(escaped).getString(), raw.getString());

    // Text that already looks like an entity survives the trip unchanged.
    const CString literal("&amp;lt; &quot");
    EXPECT_STREQ(CXMLDocument::unescape(CXMLDocument::escape(literal)).getString(), literal.getString());
}

TEST_F(XMLFile, WritesOneTagPerLineIndentedByTabs)
{
    auto* root = new CXMLNode(CString("a"));
    root->createAttribute("count", "1");
    CXMLNode* b = root->createChildNode("b");
    b->createChildNode("c")->createAttribute("v", "a<b & \"c\"");
    b->createChildNode("d");
    root->createChildNode("e");
    document.setRootNode(root);
    ASSERT_TRUE(document.writeFile(file()));
    EXPECT_EQ(readTextFile(path("doc.xml")), kHeader + "<a count=\"1\">\n"
                                                       "\t<b>\n"
                                                       "\t\t<c v=\"a&lt;b &amp; &quot;c&quot;\"/>\n"
                                                       "\t\t<d/>\n"
                                                       "\t</b>\n"
                                                       "\t<e/>\n"
                                                       "</a>");
}

TEST_F(XMLFile, ThreeLevelTreeRoundTrips)
{
    auto* root = new CXMLNode(CString("image_manager_root"));
    CXMLNode* images = root->createChildNode("images");
    images->createAttribute("relative_path", "Resources\\png files");
    for (const char* name : {"knob", "background", "meter"})
    {
        CXMLNode* image = images->createChildNode("image");
        image->createAttribute("reference_name", name);
        image->createAttribute("frame_height", "a<b & \"c\"");
    }
    CXMLNode* animations = root->createChildNode("animations");
    animations->createAttribute("empty", "");
    animations->createAttribute("equation", "k=v/2 "); // "=", "/" and blanks inside quotes are text
    document.setRootNode(root);
    ASSERT_TRUE(document.writeFile(file()));

    // Writing what was read gives the same file back.
    CXMLDocument copy;
    ASSERT_TRUE(copy.readFile(file()));
    ASSERT_TRUE(copy.writeFile(file("copy.xml")));
    EXPECT_EQ(readFile(path("copy.xml")), readFile(path("doc.xml")));
    CXMLNode* read = copy.getRootNode();
    ASSERT_EQ(read->getNumberOfChildNodes(), 2);
    EXPECT_EQ(read->getChildNode(0)->getParentNode(), read);
    EXPECT_STREQ(read->getChildNode(0)->getChildNode(2)->getAttributeValue("frame_height").getString(),
                 "a<b & \"c\"");
    EXPECT_STREQ(read->getChildNode(1)->getAttributeValue("equation").getString(), "k=v/2 ");
    EXPECT_NE(read->getChildNode(1)->getAttribute(CString("empty")), nullptr);
    EXPECT_EQ(trace(), "");
}

TEST_F(XMLFile, ReaderFollowsTheLineRules)
{
    auto* old = new CXMLNode(CString("old"));
    old->referenced();
    document.setRootNode(old);
    ASSERT_TRUE(readText("<?xml version=\"1.0\"?>\r\n"
                         "<!-- a comment line -->\r\n"
                         "plain text is ignored\n"
                         "<root>\n"
                         "  <empty/>\n"
                         "\t<open>\n"
                         "\t\t<leaf a=\"x y\" b=\"2\"/>\n"
                         "\t</open>\n"
                         "\t<after name=\"1\">\n"
                         "\t</after>\n"
                         "</root>\n"
                         "</root>\n"
                         "<orphan/>\n"));
    EXPECT_EQ(old->getReferenceCount(), 1) << "reading replaces the old tree";
    old->dereference();
    CXMLNode* root = document.getRootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->getName().getString(), "root");
    ASSERT_EQ(root->getNumberOfChildNodes(), 3) << "an element after the closed root has no place";
    EXPECT_STREQ(root->getChildNode(0)->getName().getString(), "empty");
    EXPECT_EQ(root->getChildNode(0)->getNumberOfChildNodes(), 0) << "an empty element does not open";
    CXMLNode* open = root->getChildNode(1);
    ASSERT_EQ(open->getNumberOfChildNodes(), 1);
    CXMLNode* leaf = open->getChildNode(0);
    EXPECT_STREQ(leaf->getAttributeValue("a").getString(), "x y") << "blanks count inside quotes";
    EXPECT_STREQ(leaf->getAttributeValue("b").getString(), "2");
    EXPECT_STREQ(root->getChildNode(2)->getName().getString(), "after");
}

TEST_F(XMLFile, UnclosedAttributeIsReportedAndReadingGoesOn)
{
    ASSERT_TRUE(readText(kHeader + "<root>\n"
                                   "\t<node a=\"1>\n"
                                   "\t<good b=\"2\"/>\n"
                                   "</root>\n"));
    EXPECT_EQ(trace(), "Failed to close XML attribute tag\n");
    CXMLNode* node = document.getRootNode()->getChildNode(0);
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->getName().getString(), "node");
    EXPECT_EQ(node->getNumberOfAttributes(), 0) << "the pending attribute is dropped";
    ASSERT_EQ(node->getNumberOfChildNodes(), 1) << "the broken element stayed open";
    EXPECT_STREQ(node->getChildNode(0)->getAttributeValue("b").getString(), "2");
}

TEST_F(XMLFile, FailuresAreTracedAndAnswerFalse)
{
    EXPECT_FALSE(readText("<root/>\n")) << "no declaration";
    EXPECT_EQ(document.getRootNode(), nullptr);
    EXPECT_FALSE(readText(""));
    EXPECT_FALSE(document.readFile(file("missing.xml")));
    EXPECT_FALSE(document.writeFile(file("doc.xml"))) << "nothing to write without a root";
    document.setRootNode(new CXMLNode(CString("root")));
    EXPECT_FALSE(document.writeFile(file("no/folder/doc.xml")));
    EXPECT_EQ(trace(), "Failed to read XML DTD on path = " + path("doc.xml") + "\n" +
                           "Failed to read XML DTD on path = " + path("doc.xml") + "\n" +
                           "Failed to open XML stream with path = " + path("missing.xml") + "\n" +
                           "Failed to open XML stream with path = " + path("no/folder/doc.xml") + "\n");
    // Whether a folder opens at all depends on the system; either way it is refused.
    EXPECT_FALSE(document.readFile(CSystemString(path("").c_str())));
}

// Thousands of unclosed elements make a tree as deep as the file is long; reading,
// writing and releasing it must not need stack in proportion to its depth.
TEST_F(XMLFile, DeepTreesAreReadWrittenAndReleasedWithoutRecursion)
{
    constexpr int kDepth = 4000;
    const std::int32_t nodesBefore = CXMLNode::getStaticClass().getInstanceCount();
    std::string text = kHeader;
    for (int i = 0; i < kDepth; ++i)
    {
        text += "<n a=\"1\">\n";
    }
    writeFile(path("deep.xml"), text);
    bool read = false;
    bool written = false;
    runOnSmallStack(
        [&]
        {
            CXMLDocument deep;
            read = deep.readFile(file("deep.xml"));
            written = deep.writeFile(file("copy.xml"));
        });
    ASSERT_TRUE(read);
    ASSERT_TRUE(written);
    const std::string copy = readTextFile(path("copy.xml"));
    EXPECT_EQ(copy.rfind("\t</n>\n</n>"), copy.size() - 10);

    // A node someone else still holds keeps its subtree when the tree goes.
    auto* root = new CXMLNode(CString("root"));
    root->referenced();
    CXMLNode* kept = root->createChildNode("kept");
    kept->referenced();
    CXMLNode* leaf = kept->createChildNode("leaf");
    for (CXMLNode* node = root->createChildNode("chain");
         node->getClass().getInstanceCount() < nodesBefore + kDepth;)
    {
        node = node->createChildNode("chain");
    }
    runOnSmallStack([root] { root->dereference(); });
    EXPECT_EQ(kept->getParentNode(), nullptr);
    EXPECT_EQ(kept->getChildNode(0), leaf);
    EXPECT_EQ(leaf->getParentNode(), kept);
    kept->dereference();
    EXPECT_EQ(CXMLNode::getStaticClass().getInstanceCount(), nodesBefore);
}

TEST(XMLTrace, SilentWhileNoTraceFileIsOpen)
{
    EXPECT_FALSE(CTrace::isTraceFileOpen());
    EXPECT_FALSE(CXMLDocument().readFile(CSystemString("/no/such/file.xml"))); // and does not fail
}

// A static object destroyed after the trace (one built before the trace was first
// used) may still trace from its destructor: it finds the trace closed.
TEST(XMLTraceDeathTest, TracingDuringStaticDestructionFindsTheTraceClosed)
{
    // This style starts the program anew, which the system cannot do for a program
    // that runs only under a user-mode emulator (a 32-bit build on a kernel that
    // runs no 32-bit programs).
    if (const char* emulator = std::getenv("VANTOR_TEST_EMULATOR"))
    {
        GTEST_SKIP() << "the program cannot start itself anew under " << emulator;
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string tracePath = ::testing::TempDir() + "vantor_late_trace.txt";
    EXPECT_EXIT(
        {
            struct SLateTracer
            {
                std::string path;
                ~SLateTracer()
                {
                    const bool opened = CTrace::openTraceFile(CSystemString(path.c_str()));
                    CTrace::trace("late");
                    std::_Exit(opened || CTrace::isTraceFileOpen() ? 1 : 0);
                }
            };
            static SLateTracer tracer{tracePath};
            CTrace::openTraceFile(CSystemString(tracePath.c_str()));
            CTrace::trace("early");
            std::exit(2);
        },
        ::testing::ExitedWithCode(0), "");
    std::remove(tracePath.c_str());
}
