#include "framework/basics/ClassManager.hpp"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>

namespace Vantor::Basics
{

namespace
{

// Zero-initialised before any dynamic initialisation, so records made during
// static start-up may create the registry in any order.
CClassManager* g_classManager = nullptr;
// Set by shutdownClassManager(): records made later (a template's record built on
// first use during unload) count their objects but do not bring the registry back,
// which nothing would ever delete again.
bool g_shutDown = false;

// Template classes make their records on first use, from whichever thread gets
// there first, so the process-wide registry is only reached under this lock. It
// needs neither construction nor destruction (a mutex does on some platforms),
// so it works during static start-up and unload in any order. Registration is
// rare and short, so waiting by yielding is enough.
class CRegistryLock
{
public:
    void lock()
    {
        while (m_taken.test_and_set(std::memory_order_acquire))
        {
            std::this_thread::yield();
        }
    }
    void unlock() { m_taken.clear(std::memory_order_release); }

private:
    std::atomic_flag m_taken = ATOMIC_FLAG_INIT;
};

constinit CRegistryLock g_registryLock;

CRegistryLock& registryLock()
{
    return g_registryLock;
}

const char* const kBorderLine =
    "+-----------------------------------------------------------------+----------+----------+\n";

} // namespace

CClassManager::CClassManager() = default;

CClassManager::~CClassManager() = default;

void CClassManager::registerClass(CClass* record)
{
    if (record == nullptr || isClassRegistered(*record))
    {
        return;
    }
    m_classes.push_back(record);
}

void CClassManager::unregisterClass(const CClass* record)
{
    std::erase(m_classes, record);
}

CClass* CClassManager::getClassWithName(const char* name) const
{
    if (name == nullptr)
    {
        return nullptr;
    }
    for (CClass* record : m_classes)
    {
        if (*record == name)
        {
            return record;
        }
    }
    return nullptr;
}

bool CClassManager::isClassRegistered(const CClass& record) const
{
    return getClassWithName(record.getClassName()) != nullptr;
}

void CClassManager::sortClasses()
{
    std::stable_sort(m_classes.begin(), m_classes.end(),
                     [](const CClass* a, const CClass* b)
                     { return std::strcmp(a->getClassName(), b->getClassName()) < 0; });
}

bool CClassManager::isTypeOf(const CClass& record, const CClass& other) const
{
    // Bounded by the number of records, so a cycle of parent names cannot hang.
    const CClass* ancestor = getClassWithName(record.getParentName());
    for (std::size_t step = 0; ancestor != nullptr && step <= m_classes.size(); ++step)
    {
        if (*ancestor == other)
        {
            return true;
        }
        ancestor = getClassWithName(ancestor->getParentName());
    }
    return record == other;
}

void CClassManager::writeInformation(std::ostream& stream) const
{
    if (!stream.good())
    {
        return;
    }
    char line[256];
    stream << kBorderLine
           << "| Vantor class information                                        |          |          |\n"
           << kBorderLine
           << "| Class Name                                                      | Instance |   Total  |\n"
           << kBorderLine;
    long instances = 0;
    long totals = 0;
    for (const CClass* record : m_classes)
    {
        if (record->getInstanceCount() == 0)
        {
            continue;
        }
        std::snprintf(line, sizeof line, "| %63s |%10li|%10li|\n", record->getClassName(),
                      static_cast<long>(record->getInstanceCount()),
                      static_cast<long>(record->getTotalCount()));
        stream << line;
        instances += record->getInstanceCount();
        totals += record->getTotalCount();
    }
    stream << kBorderLine;
    std::snprintf(line, sizeof line,
                  "|                                                                 |%10li|%10li|\n",
                  instances, totals);
    stream << line << kBorderLine;
}

CClassManager* CClassManager::getInstance()
{
    const std::lock_guard guard(registryLock());
    return g_classManager;
}

void CClassManager::registerRecord(CClass* record)
{
    const std::lock_guard guard(registryLock());
    if (g_shutDown)
    {
        return;
    }
    if (g_classManager == nullptr)
    {
        g_classManager = new CClassManager();
    }
    g_classManager->registerClass(record);
}

void CClassManager::unregisterRecord(const CClass* record)
{
    const std::lock_guard guard(registryLock());
    if (g_classManager != nullptr)
    {
        g_classManager->unregisterClass(record);
    }
}

bool CClassManager::isRecordTypeOf(const CClass& record, const CClass& other)
{
    const std::lock_guard guard(registryLock());
    return g_classManager != nullptr ? g_classManager->isTypeOf(record, other) : record == other;
}

void shutdownClassManager(const char* reportPath)
{
    const std::lock_guard guard(registryLock());
    g_shutDown = true;
    if (g_classManager == nullptr)
    {
        return;
    }
    if (reportPath != nullptr)
    {
        std::ofstream stream(reportPath, std::ios::out | std::ios::trunc);
        g_classManager->sortClasses();
        g_classManager->writeInformation(stream);
    }
    delete g_classManager;
    g_classManager = nullptr;
}

} // namespace Vantor::Basics
