#include "browser/PageReply.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(PageReply, CommasSplitQuotesVanishAndOnly1024BytesUpToANulCount) {
    const struct {
        std::string reply;
        const wchar_t* name;  // null: no page
        const wchar_t* location;
    } cases[] = {
        {",,\"http://a.example/\",,\"Title\",", L"Title", L"http://a.example/"},
        {"\"http://a.example/?q=\"\"x\"\"\",\"Say \"\"hi\"\"\"", L"Say hi", L"http://a.example/?q=x"},
        {",,,", nullptr, nullptr},
        {std::string("\"http://a.example/\"\0,\"Hidden\"", 30), nullptr, nullptr},
        {std::string(1024, ' ') + ",\"Too late\"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const auto reply = ParsePageReply(c.reply.data(), c.reply.size());
        ASSERT_EQ(reply.has_value(), c.name != nullptr) << c.reply;
        if (!reply) continue;
        EXPECT_EQ(reply->name, c.name);
        EXPECT_EQ(reply->location, c.location);
    }
    const std::string noNul = "u," + std::string(2000, 'T');
    const auto cut = ParsePageReply(noNul.data(), noNul.size());
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->name.size(), 1022u);
}

}  // namespace
