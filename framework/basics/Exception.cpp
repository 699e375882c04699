#include "framework/basics/Exception.hpp"

#include <optional>

namespace Vantor::Exceptions
{

VANTOR_DEFINE_CLASS(Vantor::Exceptions::CException, "CException", "CCountedObject")

CException::CException(const Basics::CString& reason, const Basics::CString& functionName, bool flag)
    : m_reason(reason), m_functionName(functionName), m_flag(flag)
{
}

const Basics::CString& CException::getErrorReason() const
{
    return m_reason;
}

const Basics::CString& CException::getFunctionName() const
{
    return m_functionName;
}

bool CException::getFlag() const
{
    return m_flag;
}

CException wrapException(const SGuardTexts& texts, const CException& inner)
{
    Basics::CString reason(texts.wrappedText);
    reason.appendString(inner.getErrorReason());
    reason.appendString("\n\n");
    reason.appendString(inner.getFunctionName());
    return CException(reason, texts.functionName, true);
}

CException unknownException(const SGuardTexts& texts)
{
    return CException(texts.unknownText, texts.functionName, true);
}

namespace
{

// Whether this thread is building a guard's exception right now.
thread_local bool t_buildingException = false;

class CBuildingException
{
public:
    CBuildingException() { t_buildingException = true; }
    ~CBuildingException() { t_buildingException = false; }
    CBuildingException(const CBuildingException&) = delete;
    CBuildingException& operator=(const CBuildingException&) = delete;
};

} // namespace

void rethrowWrapped(const SGuardTexts& texts, const CException& inner)
{
    if (t_buildingException)
    {
        throw;
    }
    std::optional<CException> wrapped;
    try
    {
        const CBuildingException building;
        wrapped.emplace(wrapException(texts, inner));
    }
    catch (...)
    {
    }
    if (!wrapped)
    {
        throw; // the inner exception, unwrapped but intact
    }
    throw *wrapped;
}

void rethrowUnknown(const SGuardTexts& texts)
{
    if (t_buildingException)
    {
        throw;
    }
    std::optional<CException> report;
    try
    {
        const CBuildingException building;
        report.emplace(unknownException(texts));
    }
    catch (...)
    {
    }
    if (!report)
    {
        throw; // typically the allocation failure itself
    }
    throw *report;
}

} // namespace Vantor::Exceptions
