#pragma once

#include "framework/basics/String.hpp"

namespace Vantor::Basics
{

// A CString that is a file-system path. The separator is the platform's ('\\' on
// Windows, '/' elsewhere), held process-wide; the extension mark is '.'.
// Extension tests look for the last dot anywhere in the text, also in a folder
// name ("C:\\my.dir\\file" has the extension ".dir\\file"); a dot in the first
// position (".profile") is no extension. Missing parts answer "".
class CSystemString : public CString
{
public:
    VANTOR_DECLARE_CLASS(CSystemString);

    CSystemString(const char* text = " ");
    CSystemString(const CString& text);
    CSystemString(const CSystemString& other);

    using CString::operator=;
    CSystemString& operator=(const CSystemString& other);
    CString& operator=(const char* text) override;
    using CString::operator==;
    using CString::operator!=;

    // Appends the separator, then the text, always.
    CString& operator+=(const char* text) override;
    CString& operator+=(const CString& text) override;

    // True when the text ends in `extension` (case-sensitive; an empty extension
    // matches, one longer than the path does not).
    virtual bool hasExtension(const CString& extension) const;
    virtual bool hasExtension(const char* extension) const;
    virtual bool hasAnyExtension() const;
    // Appends "." and the extension; with `replace`, an existing extension goes first.
    virtual void appendExtension(const CString& extension, bool replace);
    virtual void appendExtension(const char* extension, bool replace);
    virtual void removeExtension();
    virtual bool hasNoExtension() const;
    // Keeps everything up to and including the last separator.
    virtual void removeFileName();
    // The folder part including its separator; the whole text when it has no extension.
    virtual CString getPath() const;
    virtual void appendSeparator();
    // Appends the separator unless the text already ends in one, then `part`.
    virtual void appendPath(const CString& part);
    // "C" without, "C:\\" with the separator.
    virtual CString getDrive(bool withSeparator) const;
    // From the last dot to the end, dot included.
    virtual CString getExtension() const;
    // The text after the last separator.
    virtual CString getFileName() const;
    // Components are the non-empty texts between separators; an absolute
    // path's leading separator is its first component ("/a/b" has "/", "a", "b").
    virtual std::int32_t getNumberOfPathComponents() const;
    // A new string that the caller deletes, or null out of range. Component 0
    // carries the separator ("C:\\", or "/" for an absolute path).
    virtual CString* getPathComponent(long index) const;
    // " " when there is no component.
    virtual CString getLastPathComponent() const;
    // Drops the last separator and what follows it, unless that separator is
    // at index 0 or 1.
    virtual void removeLastPathComponent();
    // Keeps the text from the first separator on; "" when there is none.
    virtual void removeDrive();
    // Turns the other platform's slashes into this platform's separator.
    virtual void convertSlashes();

    static char getSeparator();
    // For tests of both path forms; the program never changes it.
    static void setSeparator(char separator);

private:
    long findLastSeparator() const { return findBackwards(getSeparator()); }
    long findLastDot() const { return findBackwards('.'); }
};

} // namespace Vantor::Basics
