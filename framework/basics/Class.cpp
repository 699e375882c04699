#include "framework/basics/Class.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/basics/ClassManager.hpp"

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

namespace Vantor::Basics
{

namespace
{

constexpr const char* kUndefinedClass = "UndefinedClass";
constexpr const char* kUndefinedParent = "UndefinedParent";

// Copies at most size - 1 characters and always terminates.
void copyName(char* field, const char* text, std::size_t size = CClass::kNameSize)
{
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

} // namespace

CClass::CClass()
{
    copyName(m_className, kUndefinedClass);
    copyName(m_parentName, kUndefinedParent);
}

CClass::CClass(const char* name) : CClass()
{
    setClassName(name);
    registerWithManager();
}

CClass::CClass(const char* name, const char* parentName) : CClass()
{
    setClassName(name);
    if (parentName != nullptr)
    {
        copyName(m_parentName, parentName);
    }
    registerWithManager();
}

CClass::CClass(const char* namePattern, const std::type_info& type) : CClass()
{
    templateName(namePattern, type, m_className, kNameSize);
    registerWithManager();
}

CClass::CClass(const char* namePattern, const std::type_info& type, const char* parentName) : CClass()
{
    templateName(namePattern, type, m_className, kNameSize);
    if (parentName != nullptr)
    {
        copyName(m_parentName, parentName);
    }
    registerWithManager();
}

CClass::CClass(const char* namePattern, const std::type_info& type, const char* parentPattern,
               const std::type_info& parentType)
    : CClass()
{
    templateName(namePattern, type, m_className, kNameSize);
    templateName(parentPattern, parentType, m_parentName, kNameSize);
    registerWithManager();
}

CClass::~CClass()
{
    // Records are static and normally outlive the registry; one that dies first
    // (a record made on the stack) must not stay behind as a dangling entry.
    CClassManager::unregisterRecord(this);
}

CClass& CClass::operator=(const CClass& other)
{
    if (this != &other)
    {
        copyName(m_className, other.m_className);
    }
    return *this;
}

bool CClass::operator==(const CClass& other) const
{
    return std::strcmp(m_className, other.m_className) == 0;
}

bool CClass::operator==(const char* name) const
{
    return name != nullptr && std::strcmp(m_className, name) == 0;
}

bool CClass::isTypeOf(const CClass& other) const
{
    return CClassManager::isRecordTypeOf(*this, other);
}

void CClass::constructInstance()
{
    ++m_instanceCount;
    ++m_totalCount;
}

void CClass::destructInstance()
{
    --m_instanceCount;
}

void CClass::revokeInstance()
{
    --m_instanceCount;
    --m_totalCount;
}

void CClass::setClassName(const char* name)
{
    if (name != nullptr)
    {
        copyName(m_className, name);
    }
}

void CClass::registerWithManager()
{
    CClassManager::registerRecord(this);
}

void CClass::shortTypeName(const char* typeName, char* out, int outSize)
{
    if (out == nullptr || outSize < 1)
    {
        return;
    }
    if (typeName == nullptr)
    {
        out[0] = '\0';
        return;
    }
    const char* start = std::strrchr(typeName, ':');
    if (start == nullptr)
    {
        start = std::strrchr(typeName, ' ');
    }
    start = start == nullptr ? typeName : start + 1;
    copyName(out, start, static_cast<std::size_t>(outSize));
}

void CClass::templateName(const char* pattern, const std::type_info& type, char* out, int outSize)
{
    if (out == nullptr || outSize < 1)
    {
        return;
    }
    if (pattern == nullptr)
    {
        pattern = kUndefinedClass;
    }
    const char* open = std::strchr(pattern, '<');
    if (open == nullptr)
    {
        copyName(out, pattern, static_cast<std::size_t>(outSize));
        return;
    }

    // The compiler's type name, readable where the compiler mangles it.
    const char* typeName = type.name();
#if defined(__GNUG__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(typeName, nullptr, nullptr, &status),
                                                     std::free);
    if (status == 0 && demangled)
    {
        typeName = demangled.get();
    }
#endif
    char shortName[kNameSize];
    shortTypeName(typeName, shortName, kNameSize);

    char result[3 * kNameSize];
    const std::size_t prefix = static_cast<std::size_t>(open - pattern);
    const std::size_t prefixLength = prefix < kNameSize ? prefix : kNameSize;
    std::memcpy(result, pattern, prefixLength);
    result[prefixLength] = '\0';
    std::strcat(result, "<");
    std::strcat(result, shortName);
    std::strcat(result, ">");
    copyName(out, result, static_cast<std::size_t>(outSize));
}

} // namespace Vantor::Basics
