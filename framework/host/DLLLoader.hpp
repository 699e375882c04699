#pragma once

#include "framework/basics/String.hpp"

namespace Vantor::Host
{

// Loads one dynamic library and finds functions in it. The library stays
// loaded until unloadDll() or the loader's end.
class CDLLLoader : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CDLLLoader);

    CDLLLoader();
    // loadDll(path).
    explicit CDLLLoader(const Basics::CString& path);
    ~CDLLLoader() override;

    CDLLLoader(const CDLLLoader&) = delete;
    CDLLLoader& operator=(const CDLLLoader&) = delete;

    // Throws CException (reason: the path and " doesnt exist") when there is
    // no file at `path`. A file that is no loadable library leaves no
    // library loaded. A library loaded before is released first.
    void loadDll(const Basics::CString& path);
    // The function's address; null when it or the library is missing.
    void* getFunction(const Basics::CString& name) const;
    void unloadDll();

    bool isLoaded() const { return m_library != nullptr; }
    const Basics::CString& getPath() const { return m_path; }

private:
    Basics::CString m_path;
    void* m_library; // the platform's handle of the loaded library, or null
};

} // namespace Vantor::Host
