#include "framework/basics/CountedObject.hpp"

#include <cstdio>
#include <cstring>

namespace Vantor::Basics
{

CClass& CCountedObject::getStaticClass()
{
    static CClass record("CCountedObject");
    return record;
}

namespace
{
[[maybe_unused]] const CClass& countedObjectRecord = CCountedObject::getStaticClass();
}

const CClass& CCountedObject::getClass() const
{
    return getStaticClass();
}

CCountedObject::CCountedObject() : m_countedAs(&getStaticClass())
{
    m_countedAs->constructInstance();
}

CCountedObject::CCountedObject(const CCountedObject& other)
    : ICountedObject(other), m_referenceCount(other.m_referenceCount.load(std::memory_order_relaxed)),
      m_countedAs(other.m_countedAs)
{
    m_countedAs->constructInstance();
}

CCountedObject::~CCountedObject()
{
    m_countedAs->destructInstance();
}

void CCountedObject::referenced()
{
    m_referenceCount.fetch_add(1, std::memory_order_relaxed);
}

void CCountedObject::dereference()
{
    // The release orders this owner's writes before the deleting owner's acquire.
    if (m_referenceCount.fetch_sub(1, std::memory_order_acq_rel) - 1 < 1)
    {
        delete this;
    }
}

std::int32_t CCountedObject::getReferenceCount() const
{
    return m_referenceCount.load(std::memory_order_relaxed);
}

void CCountedObject::getObjectDescription(char* buffer, long size) const
{
    char text[64];
    std::snprintf(text, sizeof text, "[CCounted Object Base Reference Count = %li",
                  static_cast<long>(getReferenceCount()));
    copyTextToBuffer(text, buffer, size);
}

void countObjectAs(CCountedObject& object, CClass& record)
{
    if (object.m_countedAs == &record)
    {
        return;
    }
    object.m_countedAs->revokeInstance();
    record.constructInstance();
    object.m_countedAs = &record;
}

void copyTextToBuffer(const char* text, char* buffer, long size)
{
    if (buffer == nullptr || size < 1)
    {
        return;
    }
    std::memset(buffer, 0, static_cast<std::size_t>(size));
    if (text == nullptr)
    {
        return;
    }
    const std::size_t length = std::strlen(text);
    const std::size_t count =
        length < static_cast<std::size_t>(size) ? length : static_cast<std::size_t>(size) - 1;
    std::memcpy(buffer, text, count);
}

} // namespace Vantor::Basics
