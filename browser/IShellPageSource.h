// The browser pages the shell knows about, one entry per page with its window.
#pragma once
#include "browser/PageMatch.h"
#include <vector>

class IShellPageSource {
public:
    virtual ~IShellPageSource() = default;
    virtual std::vector<ShellPage> Pages() = 0;
};
