#include "browser/PageReply.h"
#include "store/TextConv.h"
#include <algorithm>
#include <vector>

namespace {

constexpr size_t kReplyBytes = 1024;

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::wstring WithoutQuotes(std::string field) {
    field.erase(std::remove(field.begin(), field.end(), '"'), field.end());
    return FromAnsi(field);
}

}  // namespace

std::optional<PageReply> ParsePageReply(const char* data, size_t size) {
    if (!data) return std::nullopt;
    const size_t limit = std::min(size, kReplyBytes);
    const std::string text(data, static_cast<size_t>(std::find(data, data + limit, '\0') - data));
    const std::vector<std::string> fields = SplitAtCommas(text);
    if (fields.size() < 2) return std::nullopt;
    return PageReply{WithoutQuotes(fields[1]), WithoutQuotes(fields[0])};
}
