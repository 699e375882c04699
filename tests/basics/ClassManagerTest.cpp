#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "framework/basics/ClassManager.hpp"
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "tests/ThreadBarrier.hpp"

using namespace Vantor::Basics;

namespace Vantor::Testing
{

class CLeaky : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CLeaky);
};

} // namespace Vantor::Testing

VANTOR_DEFINE_CLASS(Vantor::Testing::CLeaky, "CLeaky", "CCountedObject")

namespace
{

const std::string kBorder =
    "+-----------------------------------------------------------------+----------+----------+\n";

std::string readFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// A record with given counts: `made` objects constructed, `live` still alive.
void setCounts(CClass& record, int live, int made)
{
    for (int i = 0; i < made; ++i)
    {
        record.constructInstance();
    }
    for (int i = live; i < made; ++i)
    {
        record.destructInstance();
    }
}

} // namespace

TEST(ClassRegistry, RegistrationFirstNameWinsAndLookUp)
{
    CClassManager manager;
    CClass stringRecord("CString", "CCountedObject");
    CClass secondString("CString", "CSomethingElse");
    manager.registerClass(&stringRecord);
    manager.registerClass(&secondString);
    manager.registerClass(nullptr);

    EXPECT_EQ(1u, manager.getNumberOfClasses());
    EXPECT_EQ(&stringRecord, manager.getClassWithName("CString"));
    EXPECT_EQ(nullptr, manager.getClassWithName("cstring"));
    EXPECT_EQ(nullptr, manager.getClassWithName(nullptr));
    EXPECT_TRUE(manager.isClassRegistered(secondString));
    EXPECT_FALSE(manager.isClassRegistered(CClass()));
}

TEST(ClassRegistry, AncestryFollowsDeclaredParentNames)
{
    CClassManager manager;
    CClass counted("CTestRoot");
    CClass text("CTestText", "CTestRoot");
    CClass path("CTestPath", "CTestText");
    CClass unrelated("CTestOther", "CTestRoot");
    for (CClass* record : {&counted, &text, &path, &unrelated})
    {
        manager.registerClass(record);
    }

    EXPECT_TRUE(manager.isTypeOf(path, text) && manager.isTypeOf(path, counted) &&
                manager.isTypeOf(path, path));
    EXPECT_FALSE(manager.isTypeOf(path, unrelated));
    EXPECT_FALSE(manager.isTypeOf(text, path));

    // A record whose parent is not registered is only itself.
    CClass orphan("CTestOrphan", "CTestMissing");
    EXPECT_FALSE(manager.isTypeOf(orphan, counted));
    EXPECT_TRUE(manager.isTypeOf(orphan, orphan));

    // Parent names that loop do not hang the test.
    CClass loopA("CTestLoopA", "CTestLoopB");
    CClass loopB("CTestLoopB", "CTestLoopA");
    manager.registerClass(&loopA);
    manager.registerClass(&loopB);
    EXPECT_FALSE(manager.isTypeOf(loopA, counted));

    // A record asks the process-wide registry.
    EXPECT_TRUE(CString::getStaticClass().isTypeOf(CCountedObject::getStaticClass()));
    EXPECT_FALSE(CCountedObject::getStaticClass().isTypeOf(CString::getStaticClass()));
}

// Only classes with live objects are listed, sorted by byte order (upper case first).
TEST(ClassRegistry, LeakReportLayout)
{
    CClassManager manager;
    CClass windows("aTestReportWindow");
    CClass strings("CTestReportString");
    CClass freed("CTestReportFreed");
    setCounts(windows, 1, 12345);
    setCounts(strings, 2, 5);
    setCounts(freed, 0, 7);
    for (CClass* record : {&windows, &strings, &freed})
    {
        manager.registerClass(record);
    }
    manager.sortClasses();

    std::ostringstream report;
    manager.writeInformation(report);
    EXPECT_EQ(
        kBorder +
            "| Vantor class information                                        |          |          |\n" +
            kBorder +
            "| Class Name                                                      | Instance |   Total  |\n" +
            kBorder +
            "|                                               CTestReportString |         2|         5|\n"
            "|                                               aTestReportWindow |         1|     12345|\n" +
            kBorder +
            "|                                                                 |         3|     12350|\n" +
            kBorder,
        report.str());

    std::ostringstream closed;
    closed.setstate(std::ios::badbit);
    manager.writeInformation(closed);
    EXPECT_EQ("", closed.str());
}

using ClassRegistryDeathTest = ::testing::Test;

// Shutdown ends the process-wide registry, so it runs in a child process.
TEST_F(ClassRegistryDeathTest, ShutdownWritesTheReportOnlyWhenGivenAPath)
{
    const std::string path = ::testing::TempDir() + "vantor_class_report.txt";
    std::remove(path.c_str());
    EXPECT_EXIT(
        {
            // Two objects stay alive, reachable so that no leak checker objects.
            static Vantor::Testing::CLeaky* leaks[5];
            for (int i = 0; i < 5; ++i)
            {
                leaks[i] = new Vantor::Testing::CLeaky;
                if (i >= 2)
                {
                    leaks[i]->dereference();
                }
            }
            shutdownClassManager(path.c_str());
            std::exit(CClassManager::getInstance() == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    const std::string report = readFile(path);
    EXPECT_EQ(0u, report.find(kBorder));
    EXPECT_NE(
        std::string::npos,
        report.find(
            "|                                                          CLeaky |         2|         5|\n"));
    // Sorted: "CCountedObject" has no live objects, "CException" and "CString" rows may appear.
    EXPECT_EQ(std::string::npos, report.find(" CCountedObject |"));
    std::remove(path.c_str());

    EXPECT_EXIT(
        {
            shutdownClassManager(nullptr);
            shutdownClassManager(nullptr);
            std::exit(CClassManager::getInstance() == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ("", readFile(path));
}

// Records of templates are made on first use, from whatever thread gets there first.
TEST(ClassRegistry, RecordsMadeOnManyThreadsAtOnceAreAllRegistered)
{
    constexpr int kThreads = 8;
    constexpr int kRecordsEach = 300;
    std::vector<std::unique_ptr<CClass>> records(kThreads * kRecordsEach);
    std::vector<std::thread> threads;
    Vantor::Testing::CThreadBarrier start(kThreads);
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&records, &start, t]
            {
                start.arriveAndWait();
                for (int i = 0; i < kRecordsEach; ++i)
                {
                    const std::string name = "TThreaded<" + std::to_string(t) + "_" + std::to_string(i) + ">";
                    records[static_cast<std::size_t>(t * kRecordsEach + i)] =
                        std::make_unique<CClass>(name.c_str(), "CCountedObject");
                }
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    for (const auto& record : records)
    {
        EXPECT_TRUE(CClassManager::getInstance()->isClassRegistered(*record)) << record->getClassName();
    }
    records.clear(); // each record leaves the registry as it dies
    EXPECT_EQ(nullptr, CClassManager::getInstance()->getClassWithName("TThreaded<0_0>"));
    {
        CClass temporary("CTestTemporary");
        EXPECT_EQ(&temporary, CClassManager::getInstance()->getClassWithName("CTestTemporary"));
    }
    EXPECT_EQ(nullptr, CClassManager::getInstance()->getClassWithName("CTestTemporary"));
}

// A record made after shutdown (a template's, built on first use during unload)
// counts but does not bring back a registry that nothing would delete.
TEST_F(ClassRegistryDeathTest, RecordsMadeAfterShutdownDoNotRecreateTheRegistry)
{
    EXPECT_EXIT(
        {
            shutdownClassManager(nullptr);
            static CClass late("TLate<TypeName>", typeid(int), "CCountedObject");
            late.constructInstance();
            std::exit(CClassManager::getInstance() == nullptr && late.getInstanceCount() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
