#include <gtest/gtest.h>

#include "framework/basics/String.hpp"

using namespace Vantor::Basics;

TEST(StringConstruction, DefaultIsOneSpace)
{
    CString text;
    EXPECT_STREQ(" ", text.getString());
    EXPECT_EQ(2, text.getNumberOfCharacters());
    EXPECT_STREQ(" ", CString(nullptr).getString());
}
