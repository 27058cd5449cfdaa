// The real WebDAV servers a test run starts on 127.0.0.1 (tools/webdav-servers.sh, run
// by ctest as a fixture before the tests that name it and stopped after them, also when
// they fail): Apache with mod_dav over http and again over https (a certificate made
// for the run, trusted by no one), and rclone's WebDAV server, which ignores If-Match
// and keeps what arrived of an upload that was cut off. All take one user and password.
// The script writes what it started into an INI file named by TM_WEBDAV_SERVERS.
#pragma once
#include <string>

struct TestDavServer {
    std::wstring url;         // the server folder, with its final '/'
    std::wstring dataFolder;  // where its files lie on disk, as a Windows path
    std::wstring thumbprint;  // https: the certificate's SHA-256, 64 upper-case hex digits
    std::wstring subject;     // https: a part of its subject (the organisation)
};

struct TestDavServers {
    std::wstring user, password;
    TestDavServer apache, apacheHttps, rclone;
    // Apache over http, or over https (its certificate trusted by thumbprint) in the
    // run with TM_WEBDAV_HTTPS=1: the server the scheme-neutral tests use.
    TestDavServer reference;
};

// Null when this run started no servers (such tests skip themselves).
const TestDavServers* FindTestDavServers();

// A file name no other test of this run uses ("t1234-5.xbel"), so tests share the
// servers without seeing each other's files.
std::wstring UniqueDavFileName();

// Writes a file on the server by a plain PUT with the run's password: a file as another
// client left it. False unless the server stored it.
bool PutDavFile(const TestDavServer& server, const std::wstring& name, const std::string& bytes);
// Reads a server file from disk; empty when it is missing.
std::string ReadDavFile(const TestDavServer& server, const std::wstring& name);
bool DavFileExists(const TestDavServer& server, const std::wstring& name);
// Sets a server file's modification time to `secondsAgo` before now (a lock's age).
bool AgeDavFile(const TestDavServer& server, const std::wstring& name, int secondsAgo);

