#include "framework/io/XMLDocument.hpp"

#include <cstring>
#include <string>
#include <vector>

#include "framework/io/TextStream.hpp"
#include "framework/io/Trace.hpp"

namespace Vantor::IO
{

namespace
{
const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

struct SEntity
{
    char character;
    const char* entity;
};

// The ampersand comes first so that the entities written after it are not
// escaped a second time.
const SEntity kEntities[] = {
    {'&', "&amp;"}, {'"', "&quot;"}, {'>', "&gt;"}, {'<', "&lt;"}, {'\n', "&#10;"}, {'\r', "&#13;"},
};

Basics::CString trimmed(const std::string& text)
{
    Basics::CString result(text.c_str());
    result.removeTrailingAndLeadingWhiteSpace();
    return result;
}

Basics::CString nameFrom(const std::string& text)
{
    return CXMLDocument::unescape(trimmed(text));
}
} // namespace

CXMLDocument::CXMLDocument() = default;

CXMLDocument::~CXMLDocument()
{
    setRootNode(nullptr);
}

void CXMLDocument::setRootNode(CXMLNode* root)
{
    if (root == m_rootNode)
    {
        return;
    }
    if (root)
    {
        root->referenced();
    }
    CXMLNode* old = m_rootNode;
    m_rootNode = root;
    if (old)
    {
        old->dereference();
    }
}

Basics::CString CXMLDocument::escape(const Basics::CString& text)
{
    std::string result;
    for (const char* c = text.getString(); *c; c++)
    {
        const char* replacement = nullptr;
        for (const SEntity& entry : kEntities)
        {
            if (*c == entry.character)
            {
                replacement = entry.entity;
            }
        }
        if (replacement)
        {
            result += replacement;
        }
        else
        {
            result += *c;
        }
    }
    return Basics::CString(result.c_str());
}

Basics::CString CXMLDocument::unescape(const Basics::CString& text)
{
    // One pass from the left: each entity is decoded once, so a text that
    // held an entity literally ("&amp;lt;") comes back as that entity.
    std::string result;
    for (const char* c = text.getString(); *c;)
    {
        bool decoded = false;
        for (const SEntity& entry : kEntities)
        {
            const std::size_t length = std::strlen(entry.entity);
            if (std::strncmp(c, entry.entity, length) == 0)
            {
                result += entry.character;
                c += length;
                decoded = true;
                break;
            }
        }
        if (!decoded)
        {
            result += *c++;
        }
    }
    return Basics::CString(result.c_str());
}

bool CXMLDocument::writeFile(const Basics::CSystemString& path)
{
    if (m_rootNode == nullptr)
    {
        return false;
    }
    CTextStream stream;
    if (!stream.open(path, CTextStream::kWrite))
    {
        CTrace::trace("Failed to open XML stream with path = ", path);
        return false;
    }
    stream << kDeclaration;
    m_depth = 0;
    writeNode(stream, *m_rootNode);
    stream.close();
    return true;
}

void CXMLDocument::writeIndent(CTextStream& stream) const
{
    for (std::int32_t i = 0; i < m_depth; i++)
    {
        stream << "\t";
    }
}

void CXMLDocument::writeOpeningTag(CTextStream& stream, const CXMLNode& node)
{
    stream << "<" << escape(node.getName());
    for (long i = 0; i < node.getNumberOfAttributes(); i++)
    {
        if (const CXMLAttribute* attribute = node.getAttribute(i))
        {
            stream << " " << escape(attribute->getName()) << "=\"" << escape(attribute->getValue()) << "\"";
        }
    }
    stream << (node.getNumberOfChildNodes() == 0 ? "/>\n" : ">\n");
}

void CXMLDocument::writeNode(CTextStream& stream, const CXMLNode& node)
{
    // Depth first with a list of open elements instead of recursion, so that a
    // tree of any depth is written without running out of stack.
    struct SOpenElement
    {
        const CXMLNode* node;
        long nextChild;
    };
    std::vector<SOpenElement> open;
    writeOpeningTag(stream, node);
    if (node.getNumberOfChildNodes() > 0)
    {
        open.push_back({&node, 0});
        m_depth++;
    }
    while (!open.empty())
    {
        SOpenElement& top = open.back();
        if (top.nextChild < top.node->getNumberOfChildNodes())
        {
            const CXMLNode* child = top.node->getChildNode(top.nextChild++);
            if (child == nullptr)
            {
                continue;
            }
            writeIndent(stream);
            writeOpeningTag(stream, *child);
            if (child->getNumberOfChildNodes() > 0)
            {
                open.push_back({child, 0});
                m_depth++;
            }
            continue;
        }
        const CXMLNode* closed = top.node;
        open.pop_back();
        m_depth--;
        writeIndent(stream);
        // The root's closing tag ends the file without a line end.
        stream << "</" << escape(closed->getName()) << (closed == m_rootNode ? ">" : ">\n");
    }
}

bool CXMLDocument::readFile(const Basics::CSystemString& path)
{
    CTextStream stream;
    if (!stream.open(path, CTextStream::kRead))
    {
        CTrace::trace("Failed to open XML stream with path = ", path);
        return false;
    }
    Basics::CString line("");
    stream >> line;
    line.removeTrailingAndLeadingWhiteSpace();
    if (std::strncmp(line.getString(), "<?xml", 5) != 0)
    {
        CTrace::trace("Failed to read XML DTD on path = ", path);
        return false;
    }
    setRootNode(nullptr);
    m_currentNode = nullptr;
    while (!stream.isEndOfFile())
    {
        stream >> line;
        line.removeTrailingAndLeadingWhiteSpace();
        parseLine(line);
    }
    m_currentNode = nullptr;
    return true;
}

bool CXMLDocument::placeNode(CXMLNode* node, bool becomesCurrent)
{
    if (m_rootNode == nullptr)
    {
        setRootNode(node);
        m_currentNode = node;
        return true;
    }
    if (m_currentNode == nullptr)
    {
        // An element after the root has been closed has no place in the tree.
        node->referenced();
        node->dereference();
        return false;
    }
    m_currentNode->addChildNode(node);
    if (becomesCurrent)
    {
        m_currentNode = node;
    }
    return true;
}

bool CXMLDocument::parseLine(const Basics::CString& line)
{
    const std::string text = line.getString();
    if (text.size() < 2 || text[0] != '<')
    {
        return true;
    }
    const std::string rest = text.substr(1);
    if (rest[0] == '!' || rest[0] == '?')
    {
        return true;
    }
    if (rest[0] == '/')
    {
        if (m_currentNode)
        {
            m_currentNode = m_currentNode->getParentNode();
        }
        return true;
    }

    const std::size_t blank = rest.find(' ');
    if (blank == std::string::npos)
    {
        // A tag without attributes: "<name>", "<name/>" or a bare "<name".
        const std::size_t slash = rest.rfind('/');
        const std::size_t close = rest.rfind('>');
        std::string name = rest;
        if (slash != std::string::npos)
        {
            name = rest.substr(0, slash);
        }
        else if (close != std::string::npos)
        {
            name = rest.substr(0, close);
        }
        placeNode(new CXMLNode(nameFrom(name)), slash == std::string::npos);
        return true;
    }

    auto* node = new CXMLNode(nameFrom(rest.substr(0, blank)));
    if (!placeNode(node, true))
    {
        return true;
    }

    // The attributes: name="value" pairs. Blanks count only inside quotes;
    // "=" and "/>" are structure only outside them.
    bool inQuotes = false;
    std::string accumulator;
    CXMLAttribute* pending = nullptr;
    for (std::size_t i = blank + 1; i < rest.size(); i++)
    {
        const char c = rest[i];
        if (c == ' ')
        {
            if (inQuotes)
            {
                accumulator += c;
            }
        }
        else if (c == '=' && !inQuotes)
        {
            if (pending)
            {
                pending->dereference();
            }
            pending = new CXMLAttribute(nameFrom(accumulator), "");
            pending->referenced();
            accumulator.clear();
        }
        else if (c == '"')
        {
            if (inQuotes && pending)
            {
                pending->setValue(unescape(Basics::CString(accumulator.c_str())));
                node->addAttribute(pending);
                pending->dereference();
                pending = nullptr;
            }
            if (inQuotes)
            {
                accumulator.clear();
            }
            inQuotes = !inQuotes;
        }
        else if (c == '/' && !inQuotes && i + 1 < rest.size() && rest[i + 1] == '>')
        {
            // The element was empty.
            if (m_currentNode)
            {
                m_currentNode = m_currentNode->getParentNode();
            }
            i++;
        }
        else
        {
            accumulator += c;
        }
    }
    if (pending)
    {
        CTrace::trace("Failed to close XML attribute tag");
        pending->dereference();
        return false;
    }
    return true;
}

} // namespace Vantor::IO

VANTOR_DEFINE_CLASS(Vantor::IO::CXMLDocument, "CXMLDocument", "CCountedObject")
