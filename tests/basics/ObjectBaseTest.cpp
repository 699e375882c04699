#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "framework/basics/Class.hpp"
#include "framework/basics/ClassManager.hpp"
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/Exception.hpp"
#include "framework/basics/String.hpp"

namespace Vantor::Testing
{

class CWidget : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CWidget);
};

class CGadget : public CWidget
{
public:
    VANTOR_DECLARE_CLASS(CGadget);
};

// Outside the counted hierarchy: the record counts through the tracker alone.
class CPlainValue
{
public:
    VANTOR_DECLARE_CLASS(CPlainValue);
    int value = 0;
};

// Copied implicitly, over a base whose copy constructor is written out.
class CTaggedString : public Basics::CString
{
public:
    VANTOR_DECLARE_CLASS(CTaggedString);
    using CString::CString;
    using CString::operator=;
    int tag = 0;
};

class CXMLNode
{
};

template <class T> class TBox : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TBox, "TBox<TypeName>", typeid(T), "CCountedObject");
};

} // namespace Vantor::Testing

VANTOR_DEFINE_CLASS(Vantor::Testing::CWidget, "CWidget", "CCountedObject")
VANTOR_DEFINE_CLASS(Vantor::Testing::CGadget, "CGadget", "CWidget");
VANTOR_DEFINE_CLASS(Vantor::Testing::CTaggedString, "CTaggedString", "CString")
VANTOR_DEFINE_CLASS(Vantor::Testing::CPlainValue, "CPlainValue", "UndefinedParent")

using namespace Vantor::Basics;
using Vantor::Exceptions::CException;
using Vantor::Exceptions::guarded;
using Vantor::Exceptions::SGuardTexts;
using Vantor::Testing::CGadget;
using Vantor::Testing::CPlainValue;
using Vantor::Testing::CTaggedString;
using Vantor::Testing::CWidget;

namespace
{

// Live and total counts of one record, relative to when the probe was made.
struct SCountProbe
{
    const CClass& record;
    int instances = record.getInstanceCount();
    int totals = record.getTotalCount();
    int liveAdded() const { return record.getInstanceCount() - instances; }
    int madeAdded() const { return record.getTotalCount() - totals; }
};

} // namespace

TEST(ReferenceCounting, LastDereferenceDeletesCopiesCarryTheCountDescriptionShowsIt)
{
    SCountProbe widgets{CWidget::getStaticClass()};
    auto* kept = new CWidget;
    EXPECT_EQ(0, kept->getReferenceCount());
    kept->referenced();
    kept->referenced();
    kept->dereference();
    EXPECT_EQ(1, kept->getReferenceCount());
    EXPECT_EQ(1, widgets.liveAdded());
    kept->dereference();
    EXPECT_EQ(0, widgets.liveAdded());
    // A new object dies at its first dereference.
    (new CWidget)->dereference();
    EXPECT_EQ(0, widgets.liveAdded());
    EXPECT_EQ(2, widgets.madeAdded());

    CWidget source;
    for (int i = 0; i < 3; ++i)
    {
        source.referenced();
    }
    CWidget copy(source);
    EXPECT_EQ(3, copy.getReferenceCount());
    CWidget target;
    target = source;
    EXPECT_EQ(0, target.getReferenceCount());

    char buffer[64];
    source.getObjectDescription(buffer, sizeof buffer);
    EXPECT_STREQ("[CCounted Object Base Reference Count = 3", buffer);
    char small[8];
    std::memset(small, 'x', sizeof small);
    source.getObjectDescription(small, sizeof small);
    EXPECT_STREQ("[CCount", small);
}

TEST(ClassCounters, CountLiveAndEverConstructedObjectsOfExactlyTheClass)
{
    SCountProbe widgets{CWidget::getStaticClass()};
    SCountProbe gadgets{CGadget::getStaticClass()};
    SCountProbe counted{CCountedObject::getStaticClass()};
    {
        CWidget first;
        {
            CWidget second;
            CGadget gadget;
            EXPECT_EQ(2, widgets.liveAdded());
            EXPECT_EQ(1, gadgets.liveAdded());
        }
        EXPECT_EQ(1, widgets.liveAdded());
        EXPECT_EQ(2, widgets.madeAdded());
        EXPECT_EQ(0, gadgets.liveAdded());
        EXPECT_EQ(1, gadgets.madeAdded());
    }
    EXPECT_EQ(0, widgets.liveAdded());
    // Objects of derived classes are not counted again by their bases' records.
    EXPECT_EQ(0, counted.liveAdded());
    EXPECT_EQ(0, counted.madeAdded());

    // Classes outside the counted hierarchy count through their record alone.
    SCountProbe plain{CPlainValue::getStaticClass()};
    {
        CPlainValue a;
        CPlainValue b(a);
        CPlainValue c;
        c = a;
        EXPECT_EQ(3, plain.liveAdded());
    }
    EXPECT_EQ(0, plain.liveAdded());
    EXPECT_EQ(3, plain.madeAdded());
}

TEST(ClassCounters, CopiesCountForTheClassTheyAreCopiedAs)
{
    SCountProbe gadgets{CGadget::getStaticClass()};
    SCountProbe widgets{CWidget::getStaticClass()};
    SCountProbe tagged{CTaggedString::getStaticClass()};
    SCountProbe strings{CString::getStaticClass()};
    {
        CGadget original;
        CGadget copy(original);
        EXPECT_EQ(2, gadgets.liveAdded());
        EXPECT_EQ(0, widgets.liveAdded());

        // Slicing makes an object of the base class.
        CWidget sliced(copy);
        EXPECT_EQ(1, widgets.liveAdded());
        EXPECT_EQ(2, gadgets.liveAdded());

        CTaggedString text("t");
        auto* heapCopy = new CTaggedString(text);
        EXPECT_EQ(2, tagged.liveAdded());
        EXPECT_EQ(0, strings.liveAdded());
        CString slicedText(*heapCopy);
        EXPECT_EQ(1, strings.liveAdded());
        heapCopy->dereference();
        EXPECT_EQ(1, tagged.liveAdded());
    }
    EXPECT_EQ(0, gadgets.liveAdded());
    EXPECT_EQ(0, widgets.liveAdded());
    EXPECT_EQ(0, tagged.liveAdded());
    EXPECT_EQ(0, strings.liveAdded());
    EXPECT_EQ(3, tagged.madeAdded() + widgets.madeAdded());
}

TEST(ClassCounters, GetClassAnswersTheMostDerivedRecord)
{
    CGadget gadget;
    const CWidget& asBase = gadget;
    EXPECT_STREQ("CGadget", asBase.getClass().getClassName());
    const ICountedObject& asInterface = CTaggedString("x");
    EXPECT_STREQ("CTaggedString", asInterface.getClass().getClassName());
}

TEST(ClassRecord, NamesDefaultsAndLimits)
{
    CClass blank;
    EXPECT_STREQ("UndefinedClass", blank.getClassName());
    EXPECT_STREQ("UndefinedParent", blank.getParentName());
    blank.setClassName(nullptr);
    EXPECT_STREQ("UndefinedClass", blank.getClassName());

    CClass record("CString", "CCountedObject");
    EXPECT_TRUE(record == "CString");
    EXPECT_FALSE(record == "cstring");
    CClass cut(std::string(200, 'L').c_str(), "CCountedObject");
    EXPECT_EQ(std::string(127, 'L'), cut.getClassName());

    // Assignment copies the name, not the parent or the counters.
    record.constructInstance();
    blank = record;
    EXPECT_STREQ("CString", blank.getClassName());
    EXPECT_STREQ("UndefinedParent", blank.getParentName());
    EXPECT_EQ(0, blank.getInstanceCount());
    EXPECT_TRUE(blank == record);
}

TEST(ClassRecord, TemplateNameRule)
{
    const char* shortNames[][2] = {
        {"class Vantor::IO::CXMLNode", "CXMLNode"}, {"struct SPoint", "SPoint"}, {"CPlain", "CPlain"}};
    char out[CClass::kNameSize];
    for (const auto& row : shortNames)
    {
        CClass::shortTypeName(row[0], out, sizeof out);
        EXPECT_STREQ(row[1], out);
    }
    CClass::templateName("TCountedPointerArray<TypeName>", typeid(Vantor::Testing::CXMLNode), out,
                         sizeof out);
    EXPECT_STREQ("TCountedPointerArray<CXMLNode>", out);
    CClass::templateName("TPlainName", typeid(Vantor::Testing::CXMLNode), out, sizeof out);
    EXPECT_STREQ("TPlainName", out);

    CClass withParent("TList<TypeName>", typeid(CWidget), "TBase<TypeName>", typeid(CGadget));
    EXPECT_STREQ("TList<CWidget>", withParent.getClassName());
    EXPECT_STREQ("TBase<CGadget>", withParent.getParentName());

    // A template class's record is named after its argument, one per instantiation.
    Vantor::Testing::TBox<CWidget> box;
    EXPECT_STREQ("TBox<CWidget>", box.getClass().getClassName());
    EXPECT_EQ(1, box.getClass().getInstanceCount());
    EXPECT_STREQ("TBox<CGadget>", Vantor::Testing::TBox<CGadget>::getStaticClass().getClassName());
}

namespace
{

const SGuardTexts kInnerTexts{"Vantor::Testing::inner", "Caught exception during inner work, more below\n\n",
                              "Caught unknown exception during inner work"};
const SGuardTexts kOuterTexts{"Vantor::Testing::outer", "Caught exception during outer work, more below\n\n",
                              "Caught unknown exception during outer work"};

template <class Failure> void innerFailing(Failure failure)
{
    guarded(kInnerTexts, [&] { throw failure; });
}

template <class Failure> void outerCallingInner(Failure failure)
{
    guarded(kOuterTexts, [&] { innerFailing(failure); });
}

template <class Call> CException caught(Call call)
{
    try
    {
        call();
    }
    catch (const CException& e)
    {
        return e;
    }
    return CException("nothing thrown", "", false);
}

} // namespace

TEST(ExceptionWrapping, NestsOneLevelPerFunctionInnermostReasonLast)
{
    const CException e =
        caught([] { outerCallingInner(CException("null window", "Vantor::Testing::raise", true)); });
    EXPECT_STREQ("Caught exception during outer work, more below\n\n"
                 "Caught exception during inner work, more below\n\n"
                 "null window\n\nVantor::Testing::raise\n\n"
                 "Vantor::Testing::inner",
                 e.getErrorReason().getString());
    EXPECT_STREQ("Vantor::Testing::outer", e.getFunctionName().getString());
    EXPECT_TRUE(e.getFlag());
}

TEST(ExceptionWrapping, ForeignExceptionsBecomeTheUnknownTextResultsPassThrough)
{
    const CException direct = caught([] { innerFailing(std::runtime_error("boom")); });
    EXPECT_STREQ("Caught unknown exception during inner work", direct.getErrorReason().getString());
    EXPECT_STREQ("Vantor::Testing::inner", direct.getFunctionName().getString());

    const CException wrapped = caught([] { outerCallingInner(42); });
    EXPECT_STREQ("Caught exception during outer work, more below\n\n"
                 "Caught unknown exception during inner work\n\nVantor::Testing::inner",
                 wrapped.getErrorReason().getString());

    EXPECT_EQ(7, guarded(kInnerTexts, [] { return 7; }));
    CString text("abc");
    EXPECT_EQ(&text, &guarded(kInnerTexts, [&]() -> CString& { return text; }));
}
