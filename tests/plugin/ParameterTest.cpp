#include "plugin/Parameters.hpp"
#include "plugin/Program.hpp"
#include "plugin/Quellor.hpp"
#include "plugin/VstParam.hpp"
#include "plugin/VstParamFloat.hpp"
#include "plugin/VstParamFloatExp.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Vantor::Quellor;

namespace
{
std::string display(const CVstParam& parameter)
{
    char text[64];
    parameter.getDisplay(text);
    return text;
}
} // namespace

TEST(ParameterTest, BaseParameterCutsLongTextsAndDropsDecimalsAsTheMagnitudeGrows)
{
    CVstParam parameter("A name that is much longer than allowed", "a label of more than 23");
    char text[64];
    parameter.getName(text);
    EXPECT_STREQ(text, "A name that is much lon");
    parameter.getLabel(text);
    EXPECT_STREQ(text, "a label of more than 23");

    const struct
    {
        float value;
        const char* text;
    } cases[] = {
        {1.5f, "1.500"},      {0.25f, "0.250"},   {-9.5f, "-9.500"}, {12.5f, "12.50"},
        {-150.25f, "-150.2"}, {999.94f, "999.9"}, {2500.4f, "2500"}, {999999.0f, "999999"},
        {2.5e6f, "2.5e+06"},  {NAN, "nan"},
    };
    for (const auto& c : cases)
    {
        parameter.setValue(c.value);
        EXPECT_EQ(display(parameter), c.text) << c.value;
    }
    parameter.setValue(1.5f);
    EXPECT_EQ(parameter.getRealValue(), 1.5f);
}

TEST(ParameterTest, LinearParameterMapsOntoItsRange)
{
    CVstParamFloat master("Master", "dB", -20.0f, 20.0f, 0.5f);
    const struct
    {
        float value;
        const char* text;
    } cases[] = {{0.5f, "0.000"}, {0.75f, "10.00"}, {0.625f, "5.000"}, {0.25f, "-10.00"}, {0.0f, "-20.00"}};
    for (const auto& c : cases)
    {
        master.setValue(c.value);
        EXPECT_EQ(display(master), c.text) << c.value;
    }
    // Out-of-range values are stored and mapped as given.
    master.setValue(2.0f);
    EXPECT_EQ(master.getValue(), 2.0f);
    EXPECT_EQ(master.getRealValue(), 60.0f);
}

TEST(ParameterTest, ExponentialParameterMapsTimesGeometricallyAndClamps)
{
    CVstParamFloatExp attack("Attack");
    char label[64];
    attack.getLabel(label);
    EXPECT_STREQ(label, "ms");
    EXPECT_EQ(attack.getRealValue(), 1.0f);

    const struct
    {
        float value;
        const char* text;
    } cases[] = {{0.25f, "5.623"}, {0.5f, "31.62"}, {1.0f, "1000"}, {1.5f, "1000"}, {-0.5f, "1.000"}};
    for (const auto& c : cases)
    {
        attack.setValue(c.value);
        EXPECT_EQ(display(attack), c.text) << c.value;
    }
    EXPECT_EQ(attack.getValue(), -0.5f); // clamped when mapped, stored as given
    EXPECT_EQ(attack.getRealValue(), 1.0f);

    attack.setValue(0.5f);
    EXPECT_NEAR(attack.getRealValue(), 31.6228f, 1e-3f);
    attack.setRange(10.0f, 40.0f);
    EXPECT_FLOAT_EQ(attack.getRealValue(), 20.0f);
}

// The table's conversions between the host's 0..1 and the user's units: the
// LV2 ports, the benchmarks and the command line all set the effect through them.
TEST(ParameterTableTest, UserValuesMapToHostValuesAndBackInEveryParametersOwnUnits)
{
    namespace P = Vantor::Quellor::Parameters;
    // Ratio runs the other way inside (host 0 is 1:1) and is the slope's reciprocal;
    // the times are exponential.
    const struct
    {
        int index;
        double atZero, atQuarter, atOne;
    } ranges[] = {
        {P::kMaster, -20.0, -10.0, 20.0},     {P::kThreshold, -50.0, -37.5, 0.0},
        {P::kRatio, 1.0, 1.0 / 0.7625, 20.0}, {P::kAttack, 1.0, 5.6234, 1000.0},
        {P::kRelease, 1.0, 5.6234, 1000.0},   {P::kMix, 0.0, 0.25, 1.0},
    };
    for (const auto& range : ranges)
    {
        const P::SParameter& parameter = P::parameter(range.index);
        SCOPED_TRACE(parameter.name);
        EXPECT_NEAR(P::userValue(parameter, 0.0f), range.atZero, 1e-4);
        EXPECT_NEAR(P::userValue(parameter, 0.25f), range.atQuarter, 1e-4);
        EXPECT_NEAR(P::userValue(parameter, 1.0f), range.atOne, 1e-4);
        // Beyond the range a user value is held at its end (every user value grows with the
        // host value); one that is no number gives the default.
        EXPECT_EQ(P::hostValueOfUser(parameter, P::userRange(parameter).maximum * 2.0 + 1.0), 1.0f);
        EXPECT_EQ(P::hostValueOfUser(parameter, std::nan("")), parameter.defaultValue);
        // Every factory program's value comes back from its user value to within one step of a float.
        for (const SFactoryProgram& program : kFactoryPrograms)
        {
            const float host = program.values[static_cast<std::size_t>(range.index)];
            EXPECT_NEAR(P::hostValueOfUser(parameter, P::userValue(parameter, host)), host, 1.2e-7f)
                << program.name;
        }
    }
}

TEST(ParameterTableTest, TheStandardSettingReadsInTheHostsDisplaysAsItIsWritten)
{
    CQuellor effect(nullptr);
    for (const auto& setting : Vantor::Quellor::Parameters::kStandardSetting)
    {
        effect.setParameter(setting.index,
                            Vantor::Quellor::Parameters::hostValueOfUser(
                                Vantor::Quellor::Parameters::parameter(setting.index), setting.user));
    }
    const char* const expected[] = {"0.000", "-20.00", "4.00", "5.000", "50.00", "1.000"};
    for (int index = 0; index < CQuellor::kNumParameters; ++index)
    {
        char text[64] = {};
        effect.getParameterDisplay(index, text);
        EXPECT_STREQ(text, expected[index]) << index;
    }
}
