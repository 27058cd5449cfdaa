// What asking a web location tells about it: the outcome of one favorite's check, the
// rules that turn HTTP answers and errors into outcomes, and the walk along redirects.
// No network here: the walk asks through a callback (the WinHTTP one is CLinkChecker).
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Busy: the server asked to be asked later (429, 503), which says nothing of the link.
// PrivateRedirect: a public site sent the check to an address of the user's own network.
enum class LinkOutcome { Ok, Moved, NotFound, ServerError, Refused, NoAnswer, NameNotFound, Busy, PrivateRedirect };

struct LinkCheckResult {
    int index = 0;            // of the link in the job
    LinkOutcome outcome = LinkOutcome::Ok;
    int status = 0;           // the last HTTP status, 0 without one
    std::wstring newLocation;  // Moved: where the location has moved to, an http or https one only
    std::wstring detail;       // a short reason, or empty
};

// One request's answer: a Win32/WinHTTP error, or an HTTP status with its Location header.
struct HttpAnswer {
    unsigned long error = 0;
    int status = 0;
    std::wstring location;
    int retryAfter = -1;  // seconds the Retry-After header asks for, -1 without one
};

// Asks `url` with `method` ("HEAD" or "GET").
using AskFunction = std::function<HttpAnswer(const std::wstring& url, const wchar_t* method)>;

// How the walk along a link reaches the world.
struct LinkWalk {
    AskFunction ask;
    // Whether the URL's host is (resolves to) a loopback, private, link-local or
    // unique-local address.
    std::function<bool(const std::wstring& url)> isPrivate;
    // Waits so many milliseconds; false when the check was cancelled meanwhile.
    std::function<bool(unsigned long ms)> pause;
};

constexpr int kMaxRedirects = 5;
constexpr int kMaxRetryAfterSeconds = 30;

// http and https locations are checked; anything else is skipped.
bool IsWebLocation(const std::wstring& location);
// Names that never resolve (".invalid", reserved for that): answered without a lookup.
bool IsReservedInvalidName(const std::wstring& host);

LinkOutcome OutcomeOfStatus(int status);
LinkOutcome OutcomeOfError(unsigned long error);
// "OK", "Moved", "Not found (404)", "Server error (too many redirects)", ...
std::wstring OutcomeText(const LinkCheckResult& result);

// Seconds of a Retry-After value (delta-seconds or an HTTP date, counted from `now`);
// -1 when it is neither.
int RetryAfterSeconds(const std::wstring& value, const SYSTEMTIME& now);

// HEAD, then GET when the server refuses HEAD; redirects followed one by one, at most
// kMaxRedirects. Only a chain of permanent redirects (301, 308) from the start to a
// location that answers makes a move; temporary ones are followed without one. A
// redirect out of http and https is not followed (a permanent one is a move without a
// new location). A link on a public host is never followed to a private address
// (PrivateRedirect); one on a private host (a router's page) is followed as any other.
// A busy answer (429, 503) is asked once more after its Retry-After when that is at most
// kMaxRetryAfterSeconds; busy again, or without such a wait, it is Busy.
LinkCheckResult FollowLink(const std::wstring& location, const LinkWalk& walk);
