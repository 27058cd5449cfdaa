#include "backup/BackupNames.h"
#include <algorithm>
#include <cwchar>
#include <tuple>

namespace {

constexpr const wchar_t* kPrefix = L"favors-";
constexpr const wchar_t* kExtension = L".db";
constexpr BackupReason kReasons[] = {BackupReason::Daily, BackupReason::Import, BackupReason::Cleanup,
                                     BackupReason::Restore, BackupReason::Sync};

auto Fields(const BackupStamp& s) { return std::tie(s.year, s.month, s.day, s.hour, s.minute, s.second); }

// "YYYYMMDD-HHMMSS".
std::wstring Compact(const BackupStamp& s) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d%02d%02d-%02d%02d%02d", s.year, s.month, s.day, s.hour, s.minute, s.second);
    return text;
}

bool Digits(const std::wstring& text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

bool ParseCompact(const std::wstring& text, size_t at, BackupStamp& s) {
    return Digits(text, at, 4, s.year) && Digits(text, at + 4, 2, s.month) && Digits(text, at + 6, 2, s.day) &&
           text.size() > at + 8 && text[at + 8] == L'-' && Digits(text, at + 9, 2, s.hour) &&
           Digits(text, at + 11, 2, s.minute) && Digits(text, at + 13, 2, s.second) && s.month >= 1 &&
           s.month <= 12 && s.day >= 1 && s.day <= 31 && s.hour <= 23 && s.minute <= 59 && s.second <= 60;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool BackupStamp::operator<(const BackupStamp& o) const { return Fields(*this) < Fields(o); }
bool BackupStamp::operator==(const BackupStamp& o) const { return Fields(*this) == Fields(o); }

const wchar_t* ReasonWord(BackupReason reason) {
    switch (reason) {
    case BackupReason::Daily: return L"daily";
    case BackupReason::Import: return L"import";
    case BackupReason::Cleanup: return L"cleanup";
    case BackupReason::Restore: return L"restore";
    case BackupReason::Sync: return L"sync";
    }
    return L"";
}

const wchar_t* ReasonText(BackupReason reason) {
    switch (reason) {
    case BackupReason::Daily: return L"Daily";
    case BackupReason::Import: return L"Before import";
    case BackupReason::Cleanup: return L"Before Clean Up";
    case BackupReason::Restore: return L"Before restore";
    case BackupReason::Sync: return L"Before sync";
    }
    return L"";
}

std::wstring BackupFileName(BackupReason reason, const BackupStamp& stamp) {
    return kPrefix + Compact(stamp) + L"-" + ReasonWord(reason) + kExtension;
}

std::optional<BackupName> ParseBackupFileName(const std::wstring& fileName) {
    const size_t prefix = std::wcslen(kPrefix);
    BackupName name;
    if (fileName.compare(0, prefix, kPrefix) != 0 || !ParseCompact(fileName, prefix, name.stamp)) return std::nullopt;
    const size_t reasonAt = prefix + 15;
    if (fileName.size() <= reasonAt || fileName[reasonAt] != L'-' || !EndsWith(fileName, kExtension))
        return std::nullopt;
    const std::wstring word = fileName.substr(reasonAt + 1, fileName.size() - reasonAt - 1 - std::wcslen(kExtension));
    for (BackupReason reason : kReasons)
        if (word == ReasonWord(reason)) {
            name.reason = reason;
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
