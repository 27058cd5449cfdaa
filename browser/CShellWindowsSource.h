// The pages of the shell's window collection (browser and folder windows alike).
#pragma once
#include "browser/IShellPageSource.h"

class CShellWindowsSource : public IShellPageSource {
public:
    // Empty when the collection cannot be created. COM must be initialised.
    std::vector<ShellPage> Pages() override;
};
