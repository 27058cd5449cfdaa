// Magic Add's reading of a browser window by accessibility. The reading runs on a
// worker thread with a COM apartment of its own, so a browser that is slow to build
// its accessible tree, or never answers, cannot freeze the program: after
// kAccessibleCaptureBoundMs the capture gives up and the add dialog opens empty. The
// worker holds nothing but window handles and a number; it reports to this object's
// hidden window, which drops a report that comes too late. Nobody waits for a worker:
// one stuck with a hung browser ends with the process.
#pragma once
#include "framework/CControl.h"
#include "framework/MessageMap.h"
#include <optional>
#include <string>

class CBrowserDdeClient;

constexpr UINT kAccessibleCaptureBoundMs = 1000;

class CAccessibleCapture : public fw::CCustomWindow {
public:
    // The DDE client is the last resort when the browser shows no address.
    explicit CAccessibleCapture(CBrowserDdeClient& dde) : m_dde(dde) {}
    ~CAccessibleCapture() override;

    static CAccessibleCapture& Process();

    // Starts reading the visible browser window highest in the stacking order. False
    // when there is none or no worker could start; nothing is posted then. True: the
    // main window gets WM_FAVOR_CAPTURED later, with the page's title and address; when
    // no address could be read, with the DDE request's answer, or without a DDE partner
    // with the title alone; with null when the browser did not answer within the bound.
    // A new start replaces a capture still waiting. A browser whose earlier reading
    // outlived the bound and still has not answered gets no second reader: null at once.
    bool Start(HWND mainWindow);

    // Workers still reading (some may wait for a browser that hangs).
    static int RunningWorkers();

    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

private:
    using Self = CAccessibleCapture;
    static const fw::MapEntry<CAccessibleCapture> kMap[];

    LRESULT OnAddressRead(const fw::Msg& m);
    LRESULT OnTimer(const fw::Msg& m);
    bool EnsureWindow();
    bool StartWorker(HWND browser);
    void StopWaiting();

    CBrowserDdeClient& m_dde;
    HWND m_mainWindow = nullptr;
    std::wstring m_pageTitle;
    HWND m_reading = nullptr;  // the browser window of the capture waited for
    WPARAM m_serial = 0;       // the capture waited for; reports of older ones are late
    bool m_waiting = false;
    HWND m_unanswered = nullptr;  // its reader outlived the bound and has not reported
    WPARAM m_unansweredSerial = 0;
};
