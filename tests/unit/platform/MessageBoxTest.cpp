#include "platform/MessageBoxSeam.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace
{

class MessageBoxTest : public ::testing::Test
{
protected:
    void TearDown() override { platform::setMessageBoxResponder({}); }

    void answerWith(int answer)
    {
        platform::setMessageBoxResponder(
            [this, answer](const platform::MessageBoxRequest& request)
            {
                requests.push_back(request);
                return answer;
            });
    }

    std::vector<platform::MessageBoxRequest> requests;
};

TEST_F(MessageBoxTest, WideBoxHandsUtf8TextAndCaptionToTheResponder)
{
    answerWith(IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"dessin fini.Voulez-vous le garder \u00e9", L"info", MB_YESNO), IDNO);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "dessin fini.Voulez-vous le garder \xC3\xA9");
    EXPECT_EQ(requests[0].caption, "info");
    EXPECT_EQ(requests[0].type, MB_YESNO);
}

TEST_F(MessageBoxTest, NarrowBoxPassesItsTextUnchanged)
{
    answerWith(IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "bibliotheque vide", "erreur", MB_OK), IDOK);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "bibliotheque vide");
    EXPECT_EQ(requests[0].caption, "erreur");
    EXPECT_EQ(requests[0].type, MB_OK);
}

TEST_F(MessageBoxTest, NullTextsBecomeEmpty)
{
    answerWith(IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDYES);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].text, "");
    EXPECT_EQ(requests[1].caption, "");
}

// With the seam removed a real dialog is tried; without an X display it cannot be shown, and the box answers 0
// instead of failing.
TEST_F(MessageBoxTest, DialogThatCannotBeShownAnswersZero)
{
    const char* display = std::getenv("DISPLAY");
    const std::optional<std::string> savedDisplay = display ? std::optional<std::string>(display) : std::nullopt;
    unsetenv("DISPLAY");
    platform::setMessageBoxResponder({});

    EXPECT_EQ(MessageBoxA(nullptr, "texte", "titre", MB_OK), 0);
    EXPECT_EQ(MessageBoxW(nullptr, L"texte", L"titre", MB_YESNO), 0);

    if (savedDisplay)
    {
        setenv("DISPLAY", savedDisplay->c_str(), 1);
    }
}

} // namespace
