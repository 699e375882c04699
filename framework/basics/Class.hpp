#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <typeinfo>

namespace Vantor::Basics
{

class CCountedObject;

// The run-time record of one class: its name, the name of the class it declares
// as parent, and two instance counters. Each class owns exactly one record as a
// function-local static (see VANTOR_DECLARE_CLASS), so a record can be used from
// other static objects' constructors without static-initialisation-order trouble.
class CClass
{
public:
    static constexpr int kNameSize = 128;

    // Not registered: a blank record.
    CClass();
    // The named forms register the record with the class registry.
    explicit CClass(const char* name);
    CClass(const char* name, const char* parentName);

    // Forms for the records of template classes: "TPointerCollection<TypeName>"
    // with the type CXMLNode becomes "TPointerCollection<CXMLNode>".
    CClass(const char* namePattern, const std::type_info& type);
    CClass(const char* namePattern, const std::type_info& type, const char* parentName);
    CClass(const char* namePattern, const std::type_info& type, const char* parentPattern,
           const std::type_info& parentType);

    CClass(const CClass&) = delete;
    virtual ~CClass();

    // Copies the name only; counters and parent stay.
    CClass& operator=(const CClass& other);

    bool operator==(const CClass& other) const;
    bool operator==(const char* name) const;

    // True when this class is `other` or declares it, directly or through its
    // parents' records, as an ancestor.
    bool isTypeOf(const CClass& other) const;

    void constructInstance();
    void destructInstance();
    // Takes back one constructInstance(), used when an object turns out to be of a
    // more derived class than the one it was first counted for.
    void revokeInstance();

    void setClassName(const char* name);

    const char* getClassName() const { return m_className; }
    const char* getParentName() const { return m_parentName; }
    std::int32_t getInstanceCount() const { return m_instanceCount; }
    std::int32_t getTotalCount() const { return m_totalCount; }

    // The short name of a compiler type name: what follows the last ':', else the
    // last blank, else the whole name ("class Vantor::IO::CXMLNode" -> "CXMLNode").
    static void shortTypeName(const char* typeName, char* out, int outSize);
    // The record name for a template pattern and the type that fills it.
    static void templateName(const char* pattern, const std::type_info& type, char* out, int outSize);

private:
    void registerWithManager();

    char m_className[kNameSize];
    char m_parentName[kNameSize];
    std::int32_t m_instanceCount = 0;
    std::int32_t m_totalCount = 0;
};

// Moves a counted object's count to `record` (defined with CCountedObject).
void countObjectAs(CCountedObject& object, CClass& record);

// The member that VANTOR_DECLARE_CLASS places in every class body. It makes the
// record of exactly the object's class count the object:
// - for counted objects, CCountedObject counts the object under its own record and
//   every class level's tracker, built after its bases, moves the count to its own
//   record, so the most derived level wins, for copies as for new objects.
//   A copied tracker finds its object through the distance between the tracker
//   and the object's CCountedObject part, which is the same in every object of
//   the class and is learnt when the first object of the class is built (copies
//   always come after that). So the tracker itself needs no storage.
// - for classes outside the counted hierarchy the tracker counts alone.
template <class Owner> class TClassTracker
{
public:
    explicit TClassTracker(Owner* owner)
    {
        if constexpr (isCounted())
        {
            // The distance is only constant when CCountedObject is no virtual base.
            static_assert(
                requires(CCountedObject* base) { static_cast<Owner*>(base); },
                "CCountedObject must be a non-virtual base");
            CCountedObject* object = owner;
            ownerOffset().store(reinterpret_cast<const char*>(this) - reinterpret_cast<const char*>(object),
                                std::memory_order_relaxed);
            countObjectAs(*object, Owner::getStaticClass());
        }
        else
        {
            Owner::getStaticClass().constructInstance();
        }
    }
    TClassTracker(const TClassTracker&)
    {
        if constexpr (isCounted())
        {
            auto* object = reinterpret_cast<CCountedObject*>(reinterpret_cast<char*>(this) -
                                                             ownerOffset().load(std::memory_order_relaxed));
            countObjectAs(*object, Owner::getStaticClass());
        }
        else
        {
            Owner::getStaticClass().constructInstance();
        }
    }
    TClassTracker& operator=(const TClassTracker&) { return *this; }
    ~TClassTracker()
    {
        if constexpr (!isCounted())
        {
            Owner::getStaticClass().destructInstance();
        }
    }

private:
    static constexpr bool isCounted() { return std::is_base_of_v<CCountedObject, Owner>; }
    static std::atomic<std::ptrdiff_t>& ownerOffset()
    {
        static std::atomic<std::ptrdiff_t> offset{0};
        return offset;
    }
};

} // namespace Vantor::Basics

// The same getClass() overrides CCountedObject's in counted classes and is a plain
// member elsewhere, so the macros cannot say `override`; they silence that one
// suggestion around the declaration only.
#if defined(__clang__)
#define VANTOR_GET_CLASS_BEGIN_                                                                              \
    _Pragma("clang diagnostic push") _Pragma("clang diagnostic ignored \"-Wsuggest-override\"")              \
        _Pragma("clang diagnostic ignored \"-Winconsistent-missing-override\"")
#define VANTOR_GET_CLASS_END_ _Pragma("clang diagnostic pop")
#else
#define VANTOR_GET_CLASS_BEGIN_                                                                              \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wsuggest-override\"")
#define VANTOR_GET_CLASS_END_ _Pragma("GCC diagnostic pop")
#endif

// In the public part of a class body: declares the class's record, getClass() and
// the member that counts instances.
#define VANTOR_DECLARE_CLASS(ClassName)                                                                      \
    static ::Vantor::Basics::CClass& getStaticClass();                                                       \
    VANTOR_GET_CLASS_BEGIN_                                                                                  \
    const ::Vantor::Basics::CClass& getClass() const;                                                        \
    VANTOR_GET_CLASS_END_                                                                                    \
    [[no_unique_address]] ::Vantor::Basics::TClassTracker<ClassName> vantorClassTracker_                     \
    {                                                                                                        \
        this                                                                                                 \
    }

#define VANTOR_CONCAT_INNER_(a, b) a##b
#define VANTOR_CONCAT_(a, b) VANTOR_CONCAT_INNER_(a, b)

// In the class's .cpp, at namespace scope: defines the record with its name and
// parent name, and makes it at start-up so that it registers with the registry.
// A trailing semicolon is optional.
#define VANTOR_DEFINE_CLASS(QualifiedName, NameText, ParentText)                                             \
    ::Vantor::Basics::CClass& QualifiedName::getStaticClass()                                                \
    {                                                                                                        \
        static ::Vantor::Basics::CClass record(NameText, ParentText);                                        \
        return record;                                                                                       \
    }                                                                                                        \
    const ::Vantor::Basics::CClass& QualifiedName::getClass() const                                          \
    {                                                                                                        \
        return getStaticClass();                                                                             \
    }                                                                                                        \
    namespace                                                                                                \
    {                                                                                                        \
    [[maybe_unused]] const ::Vantor::Basics::CClass&                                                         \
        VANTOR_CONCAT_(vantorClassRecord_, __LINE__) = QualifiedName::getStaticClass();                      \
    }

// For class templates, inside the class body: the record is made on first use with
// the arguments of one of the template forms of CClass, for example
//   VANTOR_DECLARE_TEMPLATE_CLASS(TPointerCollection, "TPointerCollection<TypeName>",
//                                 typeid(T), "CCountedObject");
#define VANTOR_DECLARE_TEMPLATE_CLASS(ClassName, ...)                                                        \
    static ::Vantor::Basics::CClass& getStaticClass()                                                        \
    {                                                                                                        \
        static ::Vantor::Basics::CClass record(__VA_ARGS__);                                                 \
        return record;                                                                                       \
    }                                                                                                        \
    VANTOR_GET_CLASS_BEGIN_                                                                                  \
    const ::Vantor::Basics::CClass& getClass() const                                                         \
    {                                                                                                        \
        return getStaticClass();                                                                             \
    }                                                                                                        \
    VANTOR_GET_CLASS_END_                                                                                    \
    [[no_unique_address]] ::Vantor::Basics::TClassTracker<ClassName> vantorClassTracker_                     \
    {                                                                                                        \
        this                                                                                                 \
    }
