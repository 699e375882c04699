#include "framework/music/TimeSignature.hpp"

#include <gtest/gtest.h>

#include <string>

namespace Vantor::Music
{
namespace
{

TEST(TimeSignature, DefaultsToFourFourCopiesBothNumbersAndDescribesItself)
{
    CTimeSignature signature;
    EXPECT_EQ(signature.getNumerator(), 4);
    EXPECT_EQ(signature.getDenominator(), 4);
    signature.setTimeSignature(6, 8);
    CTimeSignature copy;
    copy.setTimeSignature(signature);
    char text[16];
    copy.getObjectDescription(text, sizeof text);
    EXPECT_EQ(std::string(text), "[6/8]");
}

} // namespace
} // namespace Vantor::Music
