#pragma once

#include <utility>

#include "framework/basics/String.hpp"

namespace Vantor::Exceptions
{

// The framework's only exception: a reason and the name of the function that
// raised it. Functions on the way to the top catch, wrap and rethrow it (see
// guarded()), so the final reason reads as a trace, innermost reason last.
class CException : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CException);

    // Every raise in the program passes true as the flag.
    CException(const Basics::CString& reason, const Basics::CString& functionName, bool flag = true);

    virtual const Basics::CString& getErrorReason() const;
    virtual const Basics::CString& getFunctionName() const;
    virtual bool getFlag() const;

private:
    Basics::CString m_reason;
    Basics::CString m_functionName;
    bool m_flag;
};

// The texts one guarded function reports.
struct SGuardTexts
{
    // The function's qualified name, e.g. "Vantor::Basics::CString::setString".
    const char* functionName;
    // Put before a caught exception's reason; ends in ", more below\n\n".
    const char* wrappedText;
    // The reason when anything other than a CException was caught.
    const char* unknownText;
};

// Builds the exception that wraps `inner` for the function named in `texts`:
// reason = wrapped text + inner reason + "\n\n" + inner function name.
CException wrapException(const SGuardTexts& texts, const CException& inner);
// The exception for anything else caught in that function.
CException unknownException(const SGuardTexts& texts);

// The two handlers of guarded(), called inside its catch blocks. Building the
// wrapping exception allocates strings, whose own guards would wrap a failure of
// that allocation again, and so on while allocation keeps failing. So while a
// thread builds one, a failure inside passes through unwrapped, and when the
// wrapping cannot be built the caught exception goes on as it is.
[[noreturn]] void rethrowWrapped(const SGuardTexts& texts, const CException& inner);
[[noreturn]] void rethrowUnknown(const SGuardTexts& texts);

// Runs `body` and returns its result. A CException from it is rethrown wrapped
// for the function named in `texts`; anything else becomes a CException with
// the function's unknown text. Typical use, one line per function:
//   return guarded(kSetStringTexts, [&] { ... });
template <class Body> decltype(auto) guarded(const SGuardTexts& texts, Body&& body)
{
    try
    {
        return std::forward<Body>(body)();
    }
    catch (const CException& inner)
    {
        rethrowWrapped(texts, inner);
    }
    catch (...)
    {
        rethrowUnknown(texts);
    }
}

} // namespace Vantor::Exceptions
