// The program's own addresses, kept in one place: the About box links, the Help
// menu's web-site command and anything else that points users at us.
#pragma once

inline constexpr wchar_t kProductName[] = L"Tidemarker";
inline constexpr wchar_t kProductWebsite[] = L"https://tidemarker.org/";
inline constexpr wchar_t kSupportAddress[] = L"support@tidemarker.org";
inline constexpr wchar_t kSupportMailto[] = L"mailto:support@tidemarker.org";
