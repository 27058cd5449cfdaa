#pragma once
#include "fakes/TestDavServers.h"
#include <gtest/gtest.h>
#include <string>

// The base of the tests that talk to the servers: each skips itself when the run started
// none, and has a file of its own on them.
class DavServersTest : public testing::Test {
protected:
    void SetUp() override {
        servers = FindTestDavServers();
        if (!servers) GTEST_SKIP() << "no WebDAV servers started for this run";
    }
    const TestDavServers* servers = nullptr;
    const std::wstring file = UniqueDavFileName();
};
