#include "browser/CAccessibleTree.h"
#include "framework/SdkExtras.h"
#include "browser/BstrText.h"
#include <algorithm>

namespace {

constexpr long kMaxChildren = 256;  // more are not read

VARIANT ChildId(long id) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

// The VARIANTs AccessibleChildren fills, cleared however the reading ends.
class ChildVariants {
public:
    explicit ChildVariants(long count) : m_items(static_cast<size_t>(count)) {
        for (VARIANT& v : m_items) VariantInit(&v);
    }
    ~ChildVariants() {
        for (VARIANT& v : m_items) VariantClear(&v);
    }
    ChildVariants(const ChildVariants&) = delete;
    ChildVariants& operator=(const ChildVariants&) = delete;
    VARIANT* data() { return m_items.data(); }
    long size() const { return static_cast<long>(m_items.size()); }
    const VARIANT& operator[](long i) const { return m_items[static_cast<size_t>(i)]; }

private:
    std::vector<VARIANT> m_items;
};

fw::ComPtr<IAccessible> ClientObject(HWND window) {
    fw::ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIidAccessible, object.put_void())))
        object.reset();
    return object;
}

long ReadRole(IAccessible* object, long child) {
    VARIANT role;
    VariantInit(&role);
    const HRESULT hr = object->get_accRole(ChildId(child), &role);
    const long value = SUCCEEDED(hr) && V_VT(&role) == VT_I4 ? V_I4(&role) : 0;
    VariantClear(&role);
    return value;
}

}  // namespace

CAccessibleTree::CAccessibleTree(HWND window) {
    if (fw::ComPtr<IAccessible> root = ClientObject(window)) m_nodes.push_back({root, CHILDID_SELF, window});
}

long CAccessibleTree::Role(size_t node) {
    Node& n = m_nodes[node];
    if (n.role < 0) n.role = ReadRole(n.object.get(), n.child);
    return n.role;
}

std::wstring CAccessibleTree::Name(size_t node) {
    const Node& n = m_nodes[node];
    BSTR text = nullptr;
    if (FAILED(n.object->get_accName(ChildId(n.child), &text))) return {};
    return TakeBstr(text);
}

std::wstring CAccessibleTree::Value(size_t node) {
    const Node& n = m_nodes[node];
    BSTR text = nullptr;
    if (FAILED(n.object->get_accValue(ChildId(n.child), &text))) return {};
    return TakeBstr(text);
}

std::vector<size_t> CAccessibleTree::Children(size_t node) {
    std::vector<size_t> ids;
    const Node parent = m_nodes[node];  // a copy: m_nodes grows below
    if (parent.child != CHILDID_SELF) return ids;  // simple elements have no children
    long count = 0;
    if (FAILED(parent.object->get_accChildCount(&count)) || count <= 0) return ids;
    ChildVariants children(std::min(count, kMaxChildren));
    long obtained = 0;
    if (FAILED(AccessibleChildren(parent.object.get(), 0, children.size(), children.data(), &obtained)))
        return ids;
    for (long i = 0; i < std::min(obtained, children.size()); ++i)
        if (std::optional<Node> child = ChildNode(parent, children[i])) {
            m_nodes.push_back(std::move(*child));
            ids.push_back(m_nodes.size() - 1);
        }
    return ids;
}

std::optional<CAccessibleTree::Node> CAccessibleTree::ChildNode(const Node& parent, const VARIANT& child) {
    if (V_VT(&child) == VT_I4) {
        if (V_I4(&child) == CHILDID_SELF) return std::nullopt;
        return Node{parent.object, V_I4(&child), parent.window};
    }
    if (V_VT(&child) != VT_DISPATCH || !V_DISPATCH(&child)) return std::nullopt;
    fw::ComPtr<IAccessible> object;
    if (FAILED(V_DISPATCH(&child)->QueryInterface(kIidAccessible, object.put_void()))) return std::nullopt;
    const long role = ReadRole(object.get(), CHILDID_SELF);
    if (role == 0 || role == ROLE_SYSTEM_WINDOW) {
        HWND window = nullptr;
        if (SUCCEEDED(WindowFromAccessibleObject(object.get(), &window)) && window && window != parent.window)
            if (fw::ComPtr<IAccessible> client = ClientObject(window)) return Node{client, CHILDID_SELF, window};
    }
    return Node{object, CHILDID_SELF, parent.window, role};
}

std::optional<std::wstring> ReadAddressByAccessibility(HWND browserWindow) {
    CAccessibleTree tree(browserWindow);
    if (!tree.HasRoot()) return std::nullopt;
    return FindAddressInTree(tree);
}
