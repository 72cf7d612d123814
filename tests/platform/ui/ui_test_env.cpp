#include "ui_test_env.h"

#include "platform/ui/forms.h"

#include <gtest/gtest.h>

namespace {
QString gFamily;

class UiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        InitPlatformApplication();
        gFamily = RegisterTestFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    }
};

const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new UiEnvironment);
} // namespace

QString TestFontFamily() { return gFamily; }
