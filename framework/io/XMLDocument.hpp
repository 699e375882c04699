#pragma once
// A small XML document in the framework's own file shape: a declaration
// line, then one tag per line indented by tabs, attributes only (no text
// content, no tag spread over several lines). The reader accepts exactly
// what the writer produces.
#include <cstdint>

#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"
#include "framework/io/XMLNode.hpp"

namespace Vantor::IO
{

class CTextStream;

class CXMLDocument : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CXMLDocument);

    CXMLDocument();
    ~CXMLDocument() override;

    CXMLDocument(const CXMLDocument&) = delete;
    CXMLDocument& operator=(const CXMLDocument&) = delete;

    // The document holds one reference on its root.
    void setRootNode(CXMLNode* root);
    CXMLNode* getRootNode() const { return m_rootNode; }

    // False when there is no root or the file cannot be opened.
    bool writeFile(const Basics::CSystemString& path);
    // Replaces the tree by the file's; false when the file cannot be opened
    // or does not start with an XML declaration. Malformed lines are traced
    // and skipped.
    bool readFile(const Basics::CSystemString& path);

    // Replaces & " > < and the line feed and carriage return by entities.
    static Basics::CString escape(const Basics::CString& text);
    // The inverse of escape().
    static Basics::CString unescape(const Basics::CString& text);

private:
    void writeNode(CTextStream& stream, const CXMLNode& node);
    static void writeOpeningTag(CTextStream& stream, const CXMLNode& node);
    void writeIndent(CTextStream& stream) const;
    // Parses one trimmed line into the tree; false for an unclosed attribute.
    bool parseLine(const Basics::CString& line);
    // Places a new node as root or as a child of the current node; false
    // (and the node released) when it has no place.
    bool placeNode(CXMLNode* node, bool becomesCurrent);

    CXMLNode* m_currentNode = nullptr;
    CXMLNode* m_rootNode = nullptr;
    std::int32_t m_depth = 0;
};

} // namespace Vantor::IO
