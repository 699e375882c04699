#include "framework/gui/events/DropEvent.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CDropEvent, "CDropEvent", "CCountedObject")

CDropEvent::CDropEvent(const MathTools::CPoint& dropPoint) : m_dropPoint(dropPoint) {}

CDropEvent::CDropEvent(const CDropEvent& other) : CCountedObject(), m_dropPoint(other.m_dropPoint)
{
    for (long i = 0; i < other.m_files.getInsertIndex(); i++)
    {
        m_files.addElement(other.m_files.getElementAtIndex(i));
    }
}

void CDropEvent::addFile(const char* fileName)
{
    m_files.addElement(new Basics::CString(fileName));
}

const Basics::CString* CDropEvent::getFile(long index) const
{
    return (index < m_files.getInsertIndex()) ? m_files.getElementAtIndex(index) : nullptr;
}

} // namespace Vantor::GUI::Events
