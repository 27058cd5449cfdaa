// What asking a web location tells about it: the outcome of one favorite's check, the
// rules that turn HTTP answers and errors into outcomes, and the walk along redirects.
// No network here: the walk asks through a callback (the WinHTTP one is CLinkChecker).
#pragma once
#include <functional>
#include <string>

enum class LinkOutcome { Ok, Moved, NotFound, ServerError, Refused, NoAnswer, NameNotFound };

struct LinkCheckResult {
    int index = 0;            // of the link in the job
    LinkOutcome outcome = LinkOutcome::Ok;
    int status = 0;           // the last HTTP status, 0 without one
    std::wstring newLocation;  // Moved: where the location has moved to
    std::wstring detail;       // a short reason, or empty
};

// One request's answer: a Win32/WinHTTP error, or an HTTP status with its Location header.
struct HttpAnswer {
    unsigned long error = 0;
    int status = 0;
    std::wstring location;
};

// Asks `url` with `method` ("HEAD" or "GET").
using AskFunction = std::function<HttpAnswer(const std::wstring& url, const wchar_t* method)>;

constexpr int kMaxRedirects = 5;

// http and https locations are checked; anything else is skipped.
bool IsWebLocation(const std::wstring& location);
// Names that never resolve (".invalid", reserved for that): answered without a lookup.
bool IsReservedInvalidName(const std::wstring& host);

LinkOutcome OutcomeOfStatus(int status);
LinkOutcome OutcomeOfError(unsigned long error);
// "OK", "Moved", "Not found (404)", "Server error (too many redirects)", ...
std::wstring OutcomeText(const LinkCheckResult& result);

// HEAD, then GET when the server refuses HEAD; redirects followed one by one, at most
// kMaxRedirects. Only a chain of permanent redirects (301, 308) from the start to a
// location that answers makes a move; temporary ones are followed without one.
LinkCheckResult FollowLink(const std::wstring& location, const AskFunction& ask);
