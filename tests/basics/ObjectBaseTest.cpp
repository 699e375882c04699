#include <gtest/gtest.h>

#include <string>

#include "framework/basics/Exception.hpp"
#include "framework/basics/String.hpp"

using namespace Vantor::Basics;
using Vantor::Exceptions::CException;

TEST(CountedObject, DereferenceOfNewObjectDeletesIt)
{
    const std::int32_t before = CString::getStaticClass().getInstanceCount();
    auto *text = new CString("abc");
    EXPECT_EQ(before + 1, CString::getStaticClass().getInstanceCount());
    text->dereference();
    EXPECT_EQ(before, CString::getStaticClass().getInstanceCount());
}

TEST(Exception, CarriesReasonAndFunction)
{
    try {
        throw CException("bad", "Vantor::Here::f", true);
    } catch (const CException &e) {
        EXPECT_STREQ("bad", e.getErrorReason().getString());
        EXPECT_STREQ("Vantor::Here::f", e.getFunctionName().getString());
        EXPECT_TRUE(e.getFlag());
    }
}
