// The UI's stand-in effect on its own: what the editor tells it becomes port
// writes in the user's units and touch gestures; the host's scale is kept.
#include <gtest/gtest.h>

#include <lv2/atom/atom.h>

#include <vector>

#include "lv2/Lv2Editor.hpp"
#include "lv2/Ports.hpp"

namespace
{
namespace Lv2 = Vantor::Quellor::Lv2;
namespace Parameters = Vantor::Quellor::Parameters;

// What the host heard, in order: writes (port, value) and touches (port, grabbed).
struct SHeard
{
    enum EKind
    {
        kWrite,
        kTouch
    };
    EKind kind;
    uint32_t port;
    float value; // the written value, or 1 / 0 for a touch's start / end
    bool operator==(const SHeard&) const = default;
};

struct CRecordingHost
{
    std::vector<SHeard> heard;
    LV2UI_Touch touch{this, &CRecordingHost::onTouch};

    Lv2::SUiHost host(bool withTouch)
    {
        Lv2::SUiHost result;
        result.write = &CRecordingHost::onWrite;
        result.controller = this;
        result.touch = withTouch ? &touch : nullptr;
        return result;
    }
    static void onWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                        const void* buffer)
    {
        ASSERT_EQ(size, sizeof(float));
        ASSERT_EQ(format, 0u);
        static_cast<CRecordingHost*>(controller)
            ->heard.push_back({SHeard::kWrite, port, *static_cast<const float*>(buffer)});
    }
    static void onTouch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
    {
        static_cast<CRecordingHost*>(handle)->heard.push_back({SHeard::kTouch, port, grabbed ? 1.0f : 0.0f});
    }
};

float userOf(int index, float hostValue)
{
    return static_cast<float>(Parameters::userValue(Parameters::parameter(index), hostValue));
}
} // namespace

TEST(Lv2EditorEffect, EditsBecomePortWritesInTheUsersUnitsWrappedInTouchWhereTheHostOffersIt)
{
    const uint32_t threshold = Lv2::controlPort(Parameters::kThreshold);
    const uint32_t ratio = Lv2::controlPort(Parameters::kRatio);
    for (const bool withTouch : {true, false})
    {
        SCOPED_TRACE(withTouch ? "touch offered" : "no touch");
        CRecordingHost recorder;
        Lv2::CLv2EditorEffect effect(recorder.host(withTouch));

        // A gesture of the editor's own: begin, two changes, end.
        EXPECT_EQ(effect.beginEdit(Parameters::kThreshold), withTouch);
        effect.setParameterAutomated(Parameters::kThreshold, 0.6f);
        effect.setParameterAutomated(Parameters::kThreshold, 0.7f);
        EXPECT_EQ(effect.endEdit(Parameters::kThreshold), withTouch);
        // A change outside any gesture with no mouse button held (a click, a wheel step).
        effect.setParameterAutomated(Parameters::kRatio, 0.6f);

        std::vector<SHeard> expected;
        const auto touch = [&](uint32_t port, bool grabbed)
        {
            if (withTouch)
            {
                expected.push_back({SHeard::kTouch, port, grabbed ? 1.0f : 0.0f});
            }
        };
        touch(threshold, true);
        expected.push_back({SHeard::kWrite, threshold, userOf(Parameters::kThreshold, 0.6f)});
        expected.push_back({SHeard::kWrite, threshold, userOf(Parameters::kThreshold, 0.7f)});
        touch(threshold, false);
        touch(ratio, true);
        expected.push_back({SHeard::kWrite, ratio, userOf(Parameters::kRatio, 0.6f)});
        touch(ratio, false);
        EXPECT_EQ(recorder.heard, expected);
        EXPECT_FLOAT_EQ(effect.getParameter(Parameters::kRatio), 0.6f);
        EXPECT_FALSE(effect.isTouching(Parameters::kThreshold) || effect.isTouching(Parameters::kRatio));
    }
}

TEST(Lv2EditorEffect, GesturesLeftOpenEndWhenTheUiGoesAndBadIndicesAreRefused)
{
    CRecordingHost recorder;
    Lv2::CLv2EditorEffect effect(recorder.host(true));
    EXPECT_FALSE(effect.beginEdit(6));
    EXPECT_FALSE(effect.endEdit(Parameters::kMix)) << "no gesture was open";
    effect.setParameterAutomated(-1, 0.5f);
    effect.beginEdit(Parameters::kMix);
    effect.endAllGestures();
    const std::vector<SHeard> expected = {{SHeard::kTouch, Lv2::controlPort(Parameters::kMix), 1.0f},
                                          {SHeard::kTouch, Lv2::controlPort(Parameters::kMix), 0.0f}};
    EXPECT_EQ(recorder.heard, expected);
}

TEST(Lv2EditorEffect, TheHostsScaleFactorIsTakenWhenItIsAUsableFloat)
{
    constexpr LV2_URID kScale = 7, kFloat = 3, kInt = 4, kOther = 9;
    const float two = 2.0f, zero = 0.0f, huge = 100.0f;
    const int32_t integer = 2;
    struct SCase
    {
        const char* what;
        LV2_Options_Option option;
        float expected;
    };
    const SCase cases[] = {
        {"a float", {LV2_OPTIONS_INSTANCE, 0, kScale, sizeof two, kFloat, &two}, 2.0f},
        {"another key", {LV2_OPTIONS_INSTANCE, 0, kOther, sizeof two, kFloat, &two}, 1.0f},
        {"an integer", {LV2_OPTIONS_INSTANCE, 0, kScale, sizeof integer, kInt, &integer}, 1.0f},
        {"zero", {LV2_OPTIONS_INSTANCE, 0, kScale, sizeof zero, kFloat, &zero}, 1.0f},
        {"far too large", {LV2_OPTIONS_INSTANCE, 0, kScale, sizeof huge, kFloat, &huge}, 1.0f},
    };
    for (const SCase& entry : cases)
    {
        const LV2_Options_Option options[] = {entry.option, {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        EXPECT_EQ(Lv2::scaleFactorOf(options, kScale, kFloat, 1.0f), entry.expected) << entry.what;
    }
    EXPECT_EQ(Lv2::scaleFactorOf(nullptr, kScale, kFloat, 1.5f), 1.5f) << "no options";
}
