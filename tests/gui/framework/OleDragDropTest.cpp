// The data source hands out copies of its blocks in the order they were added,
// and the drop target base reports what its virtuals decide.
#include "framework/OleDragDrop.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

struct CountingTarget : fw::COleDropTarget {
    int drops = 0;
    DWORD OnDragEnter(IDataObject* d, DWORD, POINT) override { return fw::HasFormat(d, CF_TEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE; }
    DWORD OnDragOver(IDataObject* d, DWORD k, POINT p) override { return OnDragEnter(d, k, p); }
    bool OnDrop(IDataObject*, DWORD, POINT) override { ++drops; return true; }
};

}  // namespace

TEST(OleDataSource, OffersFormatsInOrderAndHandsOutCopies) {
    fw::ComPtr<fw::COleDataSource> source;
    source.attach(new fw::COleDataSource);
    const char text[] = "abc";
    const CLIPFORMAT url = fw::RegisteredFormat(L"UniformResourceLocator");
    source->CacheGlobalData(url, fw::GlobalFromBytes(text, sizeof text));
    source->CacheGlobalData(CF_TEXT, fw::GlobalFromBytes(text, sizeof text));

    fw::ComPtr<IEnumFORMATETC> e;
    ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, e.put()), S_OK);
    FORMATETC got[3];
    ULONG n = 0;
    e->Next(3, got, &n);
    ASSERT_EQ(n, 2u);
    EXPECT_EQ(got[0].cfFormat, url);
    EXPECT_EQ(got[1].cfFormat, CF_TEXT);

    for (int round = 0; round < 2; ++round) {  // the source keeps its block
        auto bytes = fw::GetGlobalBytes(source.get(), CF_TEXT);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(std::memcmp(bytes->data(), text, sizeof text), 0);
    }
    EXPECT_FALSE(fw::GetGlobalBytes(source.get(), CF_UNICODETEXT));
    EXPECT_FALSE(fw::HasFormat(source.get(), CF_HDROP));
}

TEST(OleDropTarget, DropReportsTheTargetsDecision) {
    fw::ComPtr<fw::COleDataSource> source;
    source.attach(new fw::COleDataSource);
    fw::ComPtr<CountingTarget> target;
    target.attach(new CountingTarget);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(source.get(), MK_LBUTTON, POINTL{1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    source->CacheGlobalData(CF_TEXT, fw::GlobalFromBytes("x", 2));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(source.get(), 0, POINTL{1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->drops, 1);
}
