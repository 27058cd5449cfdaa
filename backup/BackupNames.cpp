#include "backup/BackupNames.h"
#include <algorithm>
#include <cwchar>
#include <regex>
#include <tuple>

namespace {

struct ReasonNames {
    BackupReason reason;
    const wchar_t* word;  // in the file name
    const wchar_t* text;  // shown
};
constexpr ReasonNames kReasons[] = {
    {BackupReason::Daily, L"daily", L"Daily"},
    {BackupReason::Import, L"import", L"Before import"},
    {BackupReason::Cleanup, L"cleanup", L"Before Clean Up"},
    {BackupReason::Restore, L"restore", L"Before restore"},
    {BackupReason::Sync, L"sync", L"Before sync"},
};

const ReasonNames& NamesOf(BackupReason reason) {
    for (const ReasonNames& r : kReasons)
        if (r.reason == reason) return r;
    return kReasons[0];
}

auto Fields(const BackupStamp& s) { return std::tie(s.year, s.month, s.day, s.hour, s.minute, s.second); }

// "YYYYMMDD-HHMMSS".
std::wstring Compact(const BackupStamp& s) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d%02d%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour, s.minute, s.second);
    return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool BackupStamp::operator<(const BackupStamp& o) const { return Fields(*this) < Fields(o); }
bool BackupStamp::operator==(const BackupStamp& o) const { return Fields(*this) == Fields(o); }

const wchar_t* ReasonWord(BackupReason reason) { return NamesOf(reason).word; }
const wchar_t* ReasonText(BackupReason reason) { return NamesOf(reason).text; }

std::wstring BackupFileName(BackupReason reason, const BackupStamp& stamp) {
    return L"favors-" + Compact(stamp) + L"-" + ReasonWord(reason) + L".db";
}

std::optional<BackupName> ParseBackupFileName(const std::wstring& fileName) {
    static const std::wregex kName(LR"(favors-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})-([a-z]+)\.db)");
    std::wsmatch m;
    if (!std::regex_match(fileName, m, kName)) return std::nullopt;
    BackupName name;
    BackupStamp& t = name.stamp;
    int* fields[] = {&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second};
    for (size_t i = 0; i < 6; ++i) *fields[i] = std::stoi(m[i + 1].str());
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 60)
        return std::nullopt;
    for (const ReasonNames& r : kReasons)
        if (m[7].str() == r.word) {
            name.reason = r.reason;
            name.fileName = fileName;
            return name;
        }
    return std::nullopt;
}

bool IsPartialBackupName(const std::wstring& fileName) {
    for (const wchar_t* end : {L"", L"-journal"}) {
        const std::wstring suffix = std::wstring(kPartialSuffix) + end;
        if (EndsWith(fileName, suffix) && ParseBackupFileName(fileName.substr(0, fileName.size() - suffix.size())))
            return true;
    }
    return false;
}

std::wstring DamagedFileName(const std::wstring& databaseFileName, const BackupStamp& stamp) {
    return databaseFileName + L".damaged-" + Compact(stamp);
}

std::wstring StampText(const BackupStamp& s) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day, s.hour, s.minute, s.second);
    return text;
}

std::wstring CountsText(int folders, int favors) {
    return std::to_wstring(folders) + (folders == 1 ? L" folder, " : L" folders, ") + std::to_wstring(favors) +
           (favors == 1 ? L" favorite" : L" favorites");
}

void SortNewestFirst(std::vector<BackupName>& names) {
    std::sort(names.begin(), names.end(), [](const BackupName& a, const BackupName& b) {
        if (!(a.stamp == b.stamp)) return b.stamp < a.stamp;
        return b.fileName < a.fileName;
    });
}

std::vector<BackupName> CopiesBeyondRetention(std::vector<BackupName> names) {
    SortNewestFirst(names);
    std::vector<BackupName> beyond;
    size_t daily = 0, other = 0;
    for (BackupName& n : names) {
        const bool isDaily = n.reason == BackupReason::Daily;
        const size_t seen = isDaily ? ++daily : ++other;
        if (seen > (isDaily ? kKeptDailyCopies : kKeptOtherCopies)) beyond.push_back(std::move(n));
    }
    return beyond;
}
