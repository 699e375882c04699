#pragma once

#include <cstdint>

#include "framework/basics/String.hpp"
#include "framework/collections/PointerCollection.hpp"

namespace Vantor::Host
{

// Queries about the machine's drives and screens; never instantiated.
class CSystemInformation : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CSystemInformation);

    // Drive types: 0 unknown, 1 unmounted (no such root), 2 removable,
    // 3 fixed, 4 network, 5 CD-ROM, 6 RAM drive.
    static long getDriveType(const Basics::CString& root);
    static bool isFixedDrive(const Basics::CString& root);
    static bool isNetworkDrive(const Basics::CString& root);
    static bool isCdRomDrive(const Basics::CString& root);
    // "Unknown Drive Type" ... "RAM Drive"; a type outside 0 ... 6 reads as
    // "Unknown Drive Type".
    static void getDriveTypeName(long type, Basics::CString& out);
    // Adds one new string per drive root; answers how many.
    static long getDriveRoots(Collections::TPointerCollection<Basics::CString>& out);
    // The volume's label, file-system name and serial number; false (and the
    // outputs unchanged) when there is no volume at the root.
    static bool getVolumeInformation(const Basics::CString& root, Basics::CString& volumeName,
                                     Basics::CString& fileSystemName, std::uint32_t& serialNumber);

    // 0 when there is no display.
    static long getNumberOfMonitors();
    static long getScreenWidth();
    static long getScreenHeight();

private:
    CSystemInformation() = default;
};

} // namespace Vantor::Host
