// The accessible objects (MSAA) of a window, as the tree FindAddressInTree searches.
// A child that is a window of its own is read through that window's client object,
// which answers for its contents. COM must be initialised on the calling thread;
// each call goes to the window's process and takes as long as it takes to answer.
#pragma once
#include "browser/AddressFieldSearch.h"
#include "framework/Owned.h"
#include <windows.h>
#include <oleacc.h>

class CAccessibleTree : public IAccessibleWalk {
public:
    explicit CAccessibleTree(HWND window);
    bool HasRoot() const { return !m_nodes.empty(); }

    long Role(size_t node) override;
    std::wstring Name(size_t node) override;
    std::wstring Value(size_t node) override;
    std::vector<size_t> Children(size_t node) override;

private:
    struct Node {
        fw::ComPtr<IAccessible> object;
        long child;      // CHILDID_SELF, or a simple element of `object`
        HWND window;     // the window the object belongs to
        long role = -1;  // read once
    };
    static std::optional<Node> ChildNode(const Node& parent, const VARIANT& child);

    std::vector<Node> m_nodes;
};

// The address shown in a browser window's address field, read by accessibility, or
// nothing.
std::optional<std::wstring> ReadAddressByAccessibility(HWND browserWindow);
