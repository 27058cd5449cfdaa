// Finding a browser's address field in the accessible tree of its window. The search
// sees the tree only through IAccessibleWalk, so it works on any tree.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A tree of accessible objects; node 0 is the root. Roles are MSAA role numbers.
class IAccessibleWalk {
public:
    virtual ~IAccessibleWalk() = default;
    virtual long Role(size_t node) = 0;
    virtual std::wstring Name(size_t node) = 0;
    virtual std::wstring Value(size_t node) = 0;
    virtual std::vector<size_t> Children(size_t node) = 0;
};

// Reading more nodes than this is no longer worth it.
constexpr size_t kMaxAddressSearchNodes = 1000;

// The address shown in the browser's address field (see AddressFromFieldText), or
// nothing. Depth first in child order, the first editable text (or editable combo
// box) that is named as an address field, or lies inside a toolbar, and whose text
// reads as an address. Documents below the root (web pages, or a toolbar drawn as a
// page) are searched only after everything else, and not at all once a field named as
// the address field was seen: its text was a search text then, and a page's own
// fields must not stand in for it.
std::optional<std::wstring> FindAddressInTree(IAccessibleWalk& tree, size_t maxNodes = kMaxAddressSearchNodes);
