#pragma once

#include <ostream>
#include <vector>

#include "framework/basics/Class.hpp"

namespace Vantor::Basics
{

// The registry of class records. Records are static objects: the registry only
// points at them and never deletes them. There is one process-wide registry,
// created by the first record that registers (during static start-up) and
// deleted by shutdownClassManager(); further registries can be made for tests.
// The process-wide one is reached from any thread through the static functions,
// which take its lock; an instance's own operations are not synchronised.
class CClassManager
{
public:
    CClassManager();
    CClassManager(const CClassManager&) = delete;
    CClassManager& operator=(const CClassManager&) = delete;
    virtual ~CClassManager();

    // Ignores null and records whose name is already registered (the first wins).
    void registerClass(CClass* record);
    // Removes exactly this record if it is registered.
    void unregisterClass(const CClass* record);
    // The first registered record with exactly this name, or null.
    CClass* getClassWithName(const char* name) const;
    bool isClassRegistered(const CClass& record) const;
    // Sorts the records by name in ascending byte order.
    void sortClasses();
    // The ancestry test: walks `record`'s declared parents through the registered
    // records; true when one is named like `other`, or when `record` itself is.
    bool isTypeOf(const CClass& record, const CClass& other) const;

    // The table of classes with live objects (a leak report). Writes nothing when
    // the stream is not good.
    void writeInformation(std::ostream& stream) const;

    std::size_t getNumberOfClasses() const { return m_classes.size(); }

    // The process-wide registry, or null before the first registration and after
    // shutdown.
    static CClassManager* getInstance();
    // The record's way into the process-wide registry, safe from any thread:
    // registration creates the registry on first use, but not after shutdown.
    static void registerRecord(CClass* record);
    static void unregisterRecord(const CClass* record);
    static bool isRecordTypeOf(const CClass& record, const CClass& other);

private:
    friend void shutdownClassManager(const char* reportPath);

    // A plain vector rather than a framework collection: the collections own
    // class records themselves, which would register while the registry is made.
    std::vector<CClass*> m_classes;
};

// Writes the class report to `reportPath` when a registry exists and the path is
// not null, then deletes the process-wide registry. Called once at unload.
void shutdownClassManager(const char* reportPath);

} // namespace Vantor::Basics
