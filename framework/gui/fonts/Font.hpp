#pragma once
// A typeface, size and style. The default font (Arial, 11 pixels) is used
// wherever a caller passes no font.

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/platform/DrawingBackend.hpp"

namespace Vantor::IO
{
class CXMLNode;
}

namespace Vantor::GUI::Fonts
{

// The eleven text alignments (the text label's "Alignment" property uses the same numbers).
enum ETextAlignment : long
{
    kLeftTop = 0,
    kCentreTop = 1,
    kRightTop = 2,
    kLeftCentre = 3,
    kCentreCentre = 4,
    kRightCentre = 5,
    kLeftBottom = 6,
    kCentreBottom = 7,
    kRightBottom = 8,
    kDefaultLabel = 9,
    kDefaultSingleLine = 10,
};

// The name of an alignment ("Left / Top" ... "Default Single Line"); "" outside 0..10.
const char* getAlignmentName(long alignment);

// The font record a native font is made from.
struct SLogicalFont
{
    static constexpr int kFaceNameSize = 32;

    long height = 0;   // minus the character height
    long weight = 400; // 700 when bold
    bool italic = false;
    int outputPrecision = 4; // true-type fonts
    int quality = 5;         // clear-type rendering
    char faceName[kFaceNameSize] = {};
};

class CFont : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CFont);

    static constexpr long kDefaultSize = 11;

    // Empty face name, size 0.
    CFont();
    CFont(const Basics::CString& faceName, const long size, const bool italic = false,
          const bool bold = false);
    CFont(const CFont& other);
    CFont& operator=(const CFont& other);

    void setFaceName(const Basics::CString& faceName);
    void setSize(long size);
    void setBold(bool bold);
    void setItalic(bool italic);

    const Basics::CString& getFaceName() const { return m_faceName; }
    long getSize() const { return m_size; }
    bool isBold() const { return m_bold; }
    bool isItalic() const { return m_italic; }

    // The record the native font is made from.
    const SLogicalFont& getLogicalFont() const { return m_logicalFont; }
    // What the drawing layer needs to draw with this font.
    Platform::SFontDescription getNativeFont() const;

    // "face,size": the text form of font properties.
    Basics::CString toString() const;
    // Reads the text form; false (font unchanged) when it has no comma.
    bool fromString(const Basics::CString& text);

    // Attributes "font_name", "font_size", "italic", "bold".
    bool writeToXml(IO::CXMLNode* node) const;
    bool readFromXml(IO::CXMLNode* node);

    // The process-wide default font: Arial, 11 pixels, plain.
    static CFont* getDefaultFont();
    // Releases the default font (at GUI shut-down); the next getDefaultFont makes a new one.
    static void releaseDefaultFont();

private:
    void rebuildNativeFont();

    SLogicalFont m_logicalFont;
    Basics::CString m_faceName;
    long m_size = 0;
    bool m_bold = false;
    bool m_italic = false;
};

} // namespace Vantor::GUI::Fonts
