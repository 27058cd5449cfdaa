#include "framework/OleDragDrop.h"
#include <shlobj.h>
#include <cstring>

namespace fw {

CLIPFORMAT RegisteredFormat(const wchar_t* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

bool HasFormat(IDataObject* data, CLIPFORMAT format) {
    if (!data || !format) return false;
    FORMATETC fmt{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data->QueryGetData(&fmt) == S_OK;
}

std::optional<std::vector<BYTE>> GetGlobalBytes(IDataObject* data, CLIPFORMAT format, LONG index) {
    if (!data || !format) return std::nullopt;
    FORMATETC fmt{format, nullptr, DVASPECT_CONTENT, index, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&fmt, &medium))) return std::nullopt;
    std::optional<std::vector<BYTE>> out;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        GlobalLockGuard<BYTE> lock(medium.hGlobal);
        if (lock.get()) out.emplace(lock.get(), lock.get() + lock.bytes());
    }
    ReleaseStgMedium(&medium);
    return out;
}

HGLOBAL GlobalFromBytes(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, size ? size : 1);
    if (!block) return nullptr;
    if (size) {
        GlobalLockGuard<BYTE> lock(block);
        if (!lock.get()) {
            GlobalFree(block);
            return nullptr;
        }
        std::memcpy(lock.get(), bytes, size);
    }
    return block;
}

// ---- drop target ----

COleDropTarget::~COleDropTarget() { Revoke(); }

bool COleDropTarget::Register(HWND hwnd) {
    Revoke();
    if (!hwnd || FAILED(RegisterDragDrop(hwnd, this))) return false;
    m_hwnd = hwnd;
    return true;
}

void COleDropTarget::Revoke() {
    if (m_hwnd) RevokeDragDrop(m_hwnd);
    m_hwnd = nullptr;
}

HRESULT COleDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG COleDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG COleDropTarget::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT COleDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    m_data.reset();
    if (data) {
        data->AddRef();
        m_data.attach(data);
    }
    try {
        m_lastEffect = OnDragEnter(data, keys, POINT{pt.x, pt.y}) & *effect;
    } catch (...) {
        m_lastEffect = DROPEFFECT_NONE;
    }
    *effect = m_lastEffect;
    return S_OK;
}

HRESULT COleDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    try {
        OnDragScroll(POINT{pt.x, pt.y});
        m_lastEffect = OnDragOver(m_data.get(), keys, POINT{pt.x, pt.y}) & *effect;
    } catch (...) {
        m_lastEffect = DROPEFFECT_NONE;
    }
    *effect = m_lastEffect;
    return S_OK;
}

HRESULT COleDropTarget::DragLeave() {
    try {
        OnDragLeave();
    } catch (...) {
    }
    m_data.reset();
    return S_OK;
}

HRESULT COleDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    bool taken = false;
    try {
        const DWORD chosen = OnDragOver(data, keys, POINT{pt.x, pt.y}) & *effect;
        taken = chosen != DROPEFFECT_NONE && OnDrop(data, chosen, POINT{pt.x, pt.y});
        *effect = taken ? chosen : DROPEFFECT_NONE;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
    }
    m_data.reset();
    return S_OK;
}

// ---- data source ----

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block) {
    if (!block) return;
    for (Item& item : m_items) {
        if (item.format == format) {
            GlobalFree(item.block);
            item.block = block;
            return;
        }
    }
    m_items.push_back({format, block});
}

void COleDataSource::Empty() {
    for (Item& item : m_items) GlobalFree(item.block);
    m_items.clear();
}

DWORD COleDataSource::DoDragDrop(DWORD allowedEffects) {
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(static_cast<IDataObject*>(this), static_cast<IDropSource*>(this),
                                    allowedEffects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

HRESULT COleDataSource::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
    } else if (IsEqualIID(riid, IID_IDropSource)) {
        *ppv = static_cast<IDropSource*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG COleDataSource::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG COleDataSource::Release() {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

const COleDataSource::Item* COleDataSource::Find(const FORMATETC& fmt) const {
    if (!(fmt.tymed & TYMED_HGLOBAL) || fmt.dwAspect != DVASPECT_CONTENT) return nullptr;
    for (const Item& item : m_items)
        if (item.format == fmt.cfFormat) return &item;
    return nullptr;
}

HRESULT COleDataSource::GetData(FORMATETC* fmt, STGMEDIUM* medium) {
    if (!fmt || !medium) return E_INVALIDARG;
    *medium = STGMEDIUM{};
    try {
        if (RenderData(*fmt, *medium)) return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
    const Item* item = Find(*fmt);
    if (!item) return DV_E_FORMATETC;
    // Receivers own what they get: hand out a copy of the block.
    GlobalLockGuard<BYTE> lock(item->block);
    if (!lock.get()) return E_OUTOFMEMORY;
    HGLOBAL copy = GlobalFromBytes(lock.get(), lock.bytes());
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT COleDataSource::QueryGetData(FORMATETC* fmt) {
    if (!fmt) return E_INVALIDARG;
    return Find(*fmt) ? S_OK : DV_E_FORMATETC;
}

HRESULT COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT COleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> fmts;
    for (const Item& item : m_items)
        fmts.push_back(FORMATETC{item.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(fmts.size()), fmts.data(), out);
}

HRESULT COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT COleDataSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT COleDataSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT COleDataSource::QueryContinueDrag(BOOL escape, DWORD keys) {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT COleDataSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

}  // namespace fw
