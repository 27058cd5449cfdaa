#include "browser/AddressFieldSearch.h"
#include "browser/AddressText.h"
#include <windows.h>
#include <oleacc.h>
#include <deque>

namespace {

struct Pending {
    size_t node;
    bool inToolbar;
    bool enterDocument;  // a deferred document whose children are due now
};

bool IsEditable(long role) { return role == ROLE_SYSTEM_TEXT || role == ROLE_SYSTEM_COMBOBOX; }

}  // namespace

std::optional<std::wstring> FindAddressInTree(IAccessibleWalk& tree, size_t maxNodes) {
    std::vector<Pending> stack{{0, false, true}};
    std::deque<Pending> documents;
    bool sawNamedField = false;
    for (size_t read = 0; read < maxNodes; ++read) {
        if (stack.empty()) {
            if (documents.empty() || sawNamedField) return std::nullopt;
            stack.push_back(documents.front());
            documents.pop_front();
        }
        const Pending p = stack.back();
        stack.pop_back();
        const long role = tree.Role(p.node);
        if (role == ROLE_SYSTEM_DOCUMENT && !p.enterDocument) {
            documents.push_back({p.node, p.inToolbar, true});
            continue;
        }
        if (IsEditable(role)) {
            const bool named = IsAddressFieldName(tree.Name(p.node));
            sawNamedField = sawNamedField || named;
            if (named || p.inToolbar)
                if (auto address = AddressFromFieldText(tree.Value(p.node))) return address;
        }
        const bool inToolbar = p.inToolbar || role == ROLE_SYSTEM_TOOLBAR;
        const std::vector<size_t> children = tree.Children(p.node);
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({*it, inToolbar, false});
    }
    return std::nullopt;
}
