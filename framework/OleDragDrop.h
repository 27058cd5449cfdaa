// OLE drag and drop: a drop-target base whose virtuals see screen points and the
// data object, and a data source (IDataObject + IDropSource) that offers global
// memory blocks in the order they were added. Both are reference counted COM
// objects; owners keep them in fw::ComPtr.
#pragma once
#include "framework/Owned.h"
#include <ole2.h>
#include <optional>
#include <string>
#include <vector>

namespace fw {

CLIPFORMAT RegisteredFormat(const wchar_t* name);
bool HasFormat(IDataObject* data, CLIPFORMAT format);
// A copy of the global-memory data of a format (lindex -1), or nothing.
std::optional<std::vector<BYTE>> GetGlobalBytes(IDataObject* data, CLIPFORMAT format, LONG index = -1);
// A block of global memory (moveable, shared, zero-filled) holding the bytes.
HGLOBAL GlobalFromBytes(const void* bytes, size_t size);

class COleDropTarget : public IDropTarget {
public:
    COleDropTarget() = default;
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    bool Register(HWND hwnd);
    void Revoke();
    HWND Window() const { return m_hwnd; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

    // What a target decides; points are in screen coordinates.
    virtual DWORD OnDragEnter(IDataObject* data, DWORD keys, POINT pt) { return DROPEFFECT_NONE; }
    // Also asked once more at the drop, for the effect: no side effects beyond the hit test.
    virtual DWORD OnDragOver(IDataObject* data, DWORD keys, POINT pt) { return DROPEFFECT_NONE; }
    // While the drag moves over the window (never at the drop): scroll near its edges.
    virtual void OnDragScroll(POINT pt) {}
    virtual void OnDragLeave() {}
    // True when the drop was taken.
    virtual bool OnDrop(IDataObject* data, DWORD effect, POINT pt) { return false; }

private:
    LONG m_refs = 1;
    HWND m_hwnd = nullptr;
    ComPtr<IDataObject> m_data;  // the data of the drag in progress
    DWORD m_lastEffect = DROPEFFECT_NONE;
};

class COleDataSource : public IDataObject, public IDropSource {
public:
    COleDataSource() = default;
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes the block over; formats are offered in the order they were added.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block);
    void Empty();
    size_t FormatCount() const { return m_items.size(); }
    // Runs the modal drag loop; returns the effect (DROPEFFECT_NONE when cancelled).
    DWORD DoDragDrop(DWORD allowedEffects);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* fmt, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* fmt, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;
    // IDropSource
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

protected:
    // Lets a derived source answer a request itself (for example one file of
    // several by index); return true when `medium` was filled.
    virtual bool RenderData(const FORMATETC& fmt, STGMEDIUM& medium) { return false; }

private:
    struct Item {
        CLIPFORMAT format;
        HGLOBAL block;
    };
    const Item* Find(const FORMATETC& fmt) const;
    LONG m_refs = 1;
    std::vector<Item> m_items;
};

}  // namespace fw
