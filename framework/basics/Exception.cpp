#include "framework/basics/Exception.hpp"

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

} // namespace Vantor::Exceptions
